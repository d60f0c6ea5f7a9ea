#include "ui/frame/PaneLayout.h"

#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"

#include <QDockWidget>
#include <QMainWindow>

namespace quorvel::paneLayout {

namespace {
const QString kBarStates = QStringLiteral("BarStates");
const QString kDockState = QStringLiteral("DockState");
constexpr int kMinimumSide = 120;
constexpr int kMinimumVisible = 60;
} // namespace

QString paneSection(int paneId)
{
    return QStringLiteral("BarState-SCBar-%1").arg(paneId);
}

void save(const QMainWindow &window, SettingsStore &store)
{
    store.writeBytes(kBarStates, kDockState, window.saveState());
    const auto docks = window.findChildren<QDockWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QDockWidget *dock : docks) {
        const QVariant id = dock->property("paneId");
        if (!id.isValid())
            continue;
        const QString section = paneSection(id.toInt());
        QString prefix;
        if (dock->isFloating()) {
            prefix = QStringLiteral("sizeFloat");
        } else {
            const Qt::DockWidgetArea area = window.dockWidgetArea(const_cast<QDockWidget *>(dock));
            prefix = (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
                         ? QStringLiteral("sizeHorz")
                         : QStringLiteral("sizeVert");
        }
        store.writeInt(section, prefix + QStringLiteral("CX"), dock->width());
        store.writeInt(section, prefix + QStringLiteral("CY"), dock->height());
    }
    store.flush();
}

bool restore(QMainWindow &window, const SettingsStore &store)
{
    const QByteArray state = store.readBytes(kBarStates, kDockState);
    return !state.isEmpty() && window.restoreState(state);
}

QRect usableWindowRect(const AppSettings &s, const QList<QRect> &screens)
{
    const AppSettings defaults;
    QRect rect(s.wndRectLeft, s.wndRectTop, s.wndRectRight - s.wndRectLeft, s.wndRectBottom - s.wndRectTop);
    const QRect fallback(defaults.wndRectLeft, defaults.wndRectTop, defaults.wndRectRight - defaults.wndRectLeft,
                         defaults.wndRectBottom - defaults.wndRectTop);
    if (rect.width() < kMinimumSide || rect.height() < kMinimumSide)
        rect = fallback;
    if (screens.isEmpty())
        return rect;
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(rect);
        if (seen.width() >= kMinimumVisible && seen.height() >= kMinimumVisible)
            return rect;
    }
    // Off every screen (a monitor that was unplugged): bring it back.
    const QRect first = screens.first();
    rect.setSize(rect.size().boundedTo(first.size()));
    rect.moveTopLeft(first.topLeft());
    return rect;
}

bool hasStoredWindowRect(const SettingsStore &store)
{
    const QString main = QStringLiteral("Main");
    for (const char *name : {"WndRectLeft", "WndRectTop", "WndRectRight", "WndRectBottom"}) {
        if (store.contains(main, QString::fromLatin1(name)))
            return true;
    }
    return false;
}

QRect firstStartRect(const QRect &screen)
{
    const QSize size(screen.width() * 4 / 5, screen.height() * 4 / 5);
    return QRect(screen.topLeft() + QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2),
                 size);
}

} // namespace quorvel::paneLayout
