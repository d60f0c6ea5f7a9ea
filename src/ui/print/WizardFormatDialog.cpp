#include "ui/print/WizardFormatDialog.h"

#include "core/print/FormatCatalogue.h"
#include "core/print/WizardFormatList.h"
#include "ui/print/NewSizeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

WizardFormatDialog::WizardFormatDialog(OutputKind kind, int format, int defaultUnits, QSize screen, QWidget *parent)
    : QDialog(parent), m_screen(screen)
{
    setWindowTitle(tr("Prepare file wizard, step 2/3"));
    setObjectName(QStringLiteral("WizardStep2"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("FormatList"));
    const QList<WizardFormatList::Entry> entries = WizardFormatList::entries(kind, defaultUnits);
    for (const WizardFormatList::Entry &e : entries) {
        auto *item = new QListWidgetItem(e.text, m_list);
        item->setData(Qt::UserRole, e.data);
    }

    m_widthLabel = new QLabel(tr("Width:"), this);
    m_heightLabel = new QLabel(tr("Height:"), this);
    m_width = new QLineEdit(this);
    m_width->setObjectName(QStringLiteral("CustomWidth"));
    m_height = new QLineEdit(this);
    m_height->setObjectName(QStringLiteral("CustomHeight"));
    m_width->setMaxLength(32);
    m_height->setMaxLength(32);
    auto *size = new QGridLayout;
    size->addWidget(m_widthLabel, 0, 0);
    size->addWidget(m_width, 0, 1);
    size->addWidget(m_heightLabel, 1, 0);
    size->addWidget(m_height, 1, 1);

    auto *hint = new QLabel(tr("On the next step you will select the area of the image to print "
                               "and create the file."),
                            this);
    hint->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *back = buttons->addButton(tr("< Back"), QDialogButtonBox::ResetRole);
    buttons->addButton(tr("Next >"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(back, &QPushButton::clicked, this, [this] { done(Back); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Select print format"), this));
    layout->addWidget(m_list, 1);
    layout->addLayout(size);
    layout->addWidget(hint);
    layout->addWidget(buttons);

    const int row = WizardFormatList::initialRow(entries, format);
    m_list->setCurrentRow(row);
    const int chosen = row >= 0 ? WizardFormatList::formatOf(entries[row].data) : -1;
    m_format = chosen >= 0 ? chosen : FormatCatalogue::kDefaultIndex;
    showSizeFields();
    connect(m_list, &QListWidget::currentRowChanged, this, &WizardFormatDialog::rowChanged);
    resize(420, 460);
}

void WizardFormatDialog::rowChanged(int row)
{
    QListWidgetItem *item = m_list->item(row);
    if (!item)
        return;
    const int data = item->data(Qt::UserRole).toInt();
    if (data == WizardFormatList::kWallpaper) {
        m_width->setText(QString::number(m_screen.width()));
        m_height->setText(QString::number(m_screen.height()));
    }
    const int format = WizardFormatList::formatOf(data);
    if (format >= 0)
        m_format = format;
    showSizeFields();
    if (m_sizeShown)
        m_width->setFocus();
}

void WizardFormatDialog::showSizeFields()
{
    m_sizeShown = WizardFormatList::hasSizeFields(m_format);
    for (QWidget *w : {static_cast<QWidget *>(m_widthLabel), static_cast<QWidget *>(m_heightLabel),
                       static_cast<QWidget *>(m_width), static_cast<QWidget *>(m_height)})
        w->setVisible(m_sizeShown);
}

void WizardFormatDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_sizeShown)
        m_width->setFocus();
    else
        m_list->setFocus();
}

void WizardFormatDialog::accept()
{
    if (!FormatCatalogue::isCustom(m_format)) {
        m_check = CustomSizeCheck();
        QDialog::accept();
        return;
    }
    m_check = NewSizeDialog::checkFields(this, m_format, m_width, m_height);
    if (m_check.accepted)
        QDialog::accept();
}

} // namespace quorvel
