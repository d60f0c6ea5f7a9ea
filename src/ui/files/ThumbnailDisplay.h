#pragma once

#include <QObject>
#include <QPixmap>
#include <QVariant>

#include <functional>
#include <vector>

class QTreeView;

namespace quorvel {

class FileListModel;
class ThumbnailScheduler;

// The thumbnails mode of the file list: a 60 x 60 picture at the start of
// each row instead of the small file icon, rows as tall as the pictures.
//
// Pictures are kept by scan index, so they stay with their files while the
// list is sorted or filtered. They are made for the visible page, the row
// above it and four rows below, visible rows first, whenever the list is
// filled, scrolled, resized or sorted; each once per fill.
class ThumbnailDisplay : public QObject
{
    Q_OBJECT
public:
    // The small icons of the details mode.
    using IconProvider = std::function<QVariant(int scanIndex, bool isLink)>;

    ThumbnailDisplay(QTreeView *list, FileListModel *model, IconProvider icons, QObject *parent = nullptr);
    ~ThumbnailDisplay() override;

    bool isOn() const { return m_on; }
    // Switches between pictures and small icons. Leaving the mode forgets
    // every picture; the list is to be filled again afterwards either way.
    void setOn(bool on);

    // Called by the fill of the list: before the rows change (the pictures
    // and the work of the previous fill are dropped) and after them (the
    // pictures near the visible page are started).
    void prepare(int scanCount);
    void start();

    // What the row of this scan entry shows in thumbnails mode: its picture,
    // the error picture or the placeholder.
    QPixmap pictureOf(int scanIndex) const;
    const QPixmap &placeholder() const { return m_placeholder; }
    const QPixmap &errorPicture() const { return m_error; }

    ThumbnailScheduler &scheduler() { return *m_scheduler; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void schedule();
    void requestVisible();
    void install(int scanIndex, const QImage &picture);
    // Pictures are made in the screen's device pixels: twice the box on a
    // screen scaled by two.
    void followScreenScale();
    QPixmap devicePixmap(const QImage &picture) const;

    QTreeView *m_list;
    FileListModel *m_model;
    IconProvider m_icons;
    ThumbnailScheduler *m_scheduler;
    std::vector<QPixmap> m_slots;  // by scan index; null: not made
    QPixmap m_placeholder;
    QPixmap m_error;
    bool m_on = false;
    bool m_requestPending = false;
    qreal m_scale = 1;
};

} // namespace quorvel
