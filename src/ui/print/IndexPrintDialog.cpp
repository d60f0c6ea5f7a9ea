#include "ui/print/IndexPrintDialog.h"

#include "core/print/IndexPreview.h"
#include "core/print/IndexPrintJob.h"
#include "core/settings/AppSettings.h"
#include "ui/app/SettingsChoices.h"
#include "ui/edit/JpegQualityDialog.h"
#include "ui/print/LengthField.h"
#include "ui/print/LengthSpinBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <utility>

namespace quorvel {

// The page of the current list, drawn as the output will look.
class IndexPrintDialog::Preview : public QWidget
{
public:
    explicit Preview(IndexPrintDialog *dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setMinimumSize(260, 360);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        const IndexPrintForm &form = m_dialog->m_form;
        const IndexLayout layout = form.layout();
        if (layout.page().isEmpty())
            return;
        IndexPictureSource pictures;
        if (m_dialog->m_autoRefresh->isChecked()) {
            m_dialog->m_pictures->setPaths(form.sources.paths());
            pictures = m_dialog->m_pictures->source();
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        IndexPreview::paint(painter, rect().adjusted(4, 4, -4, -4), layout, form.currentList(),
                            form.sources.displayNames(), form.style(), pictures);
    }

private:
    IndexPrintDialog *m_dialog;
};

IndexPrintDialog::IndexPrintDialog(const QString &selection, QWidget *parent)
    : PrintParametersDialog(globalSettings().indexPrintFormat, IndexPrintForm::kFormatCount, parent),
      m_pictures(std::make_unique<IndexPictures>(QStringList{}, true, globalSettings().rotateByExif != 0))
{
    // Nothing is copied from the fields until they show the form.
    m_filling = true;
    setWindowTitle(tr("Quorvel - index-print create wizard"));
    m_form.load(globalSettings());
    m_form.sources = IndexSourceList::fromSelectionText(selection);

    auto *controls = new QVBoxLayout;
    controls->addWidget(buildFormatGroup());
    controls->addWidget(buildCellGroup());
    controls->addStretch(1);

    m_create = new QPushButton(tr("Create index-print files"), this);
    auto *close = new QPushButton(tr("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_create);
    buttons->addStretch(1);
    buttons->addWidget(close);
    controls->addLayout(buttons);

    m_preview = new Preview(this);
    auto *main = new QHBoxLayout(this);
    main->addWidget(buildSourceGroup());
    main->addLayout(controls);
    main->addWidget(m_preview, 1);

    connect(m_create, &QPushButton::clicked, this, &IndexPrintDialog::chooseAndCreate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    fillFromForm();
    refillSources(0);
    resize(1100, 640);
}

IndexPrintDialog::~IndexPrintDialog() = default;

QWidget *IndexPrintDialog::preview() const
{
    return m_preview;
}

QWidget *IndexPrintDialog::buildFormatGroup()
{
    marginLabel()->setText(tr("Magrin:"));
    auto *group = new QGroupBox(this);
    group->setLayout(controls());
    return group;
}

QWidget *IndexPrintDialog::buildCellGroup()
{
    auto *group = new QGroupBox(this);
    auto *grid = new QGridLayout(group);
    const auto cmField = [group](double minimum) {
        auto *spin = new LengthSpinBox(minimum, group);
        spin->setUnit(LengthUnit::Centimetres);
        spin->setMinimumWidth(80);
        return spin;
    };
    m_cellWidth = cmField(0.5);
    m_cellHeight = cmField(0.5);
    m_spacingX = cmField(0.0);
    m_spacingY = cmField(0.0);
    m_namesHeight = cmField(0.2);
    m_cellWidth->setObjectName(QStringLiteral("cellWidth"));
    m_cellHeight->setObjectName(QStringLiteral("cellHeight"));
    m_spacingX->setObjectName(QStringLiteral("spacingX"));
    m_spacingY->setObjectName(QStringLiteral("spacingY"));
    m_namesHeight->setObjectName(QStringLiteral("namesHeight"));
    int row = 0;
    for (const auto &[label, spin] : {std::pair{tr("Width, sm:"), m_cellWidth}, std::pair{tr("Height, sm:"), m_cellHeight},
                                      std::pair{tr("Min. place-X, sm:"), m_spacingX},
                                      std::pair{tr("Min. place-Y, sm:"), m_spacingY}}) {
        grid->addWidget(new QLabel(label, group), row, 0, 1, 2);
        grid->addWidget(spin, row++, 2, 1, 2);
    }
    m_showNames = new QCheckBox(tr("Show file names"), group);
    grid->addWidget(m_showNames, row++, 0, 1, 4);
    grid->addWidget(new QLabel(tr("Image names size, sm:"), group), row, 0, 1, 2);
    grid->addWidget(m_namesHeight, row++, 2, 1, 2);

    m_autoRefresh = new QCheckBox(tr("Auto refresh images (slowly)"), group);
    grid->addWidget(m_autoRefresh, row++, 0, 1, 4);

    auto *previous = new QPushButton(tr("<"), group);
    auto *next = new QPushButton(tr(">"), group);
    for (QPushButton *b : {previous, next})
        b->setFixedWidth(32);
    m_listText = new QLabel(group);
    m_listText->setMinimumWidth(50);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(new QLabel(tr("List:"), group));
    listRow->addWidget(m_listText);
    listRow->addWidget(previous);
    listRow->addWidget(next);
    listRow->addStretch(1);
    grid->addLayout(listRow, row++, 0, 1, 4);
    m_quantity = new QLabel(group);
    grid->addWidget(new QLabel(tr("Max quantity on list:"), group), row, 0, 1, 2);
    grid->addWidget(m_quantity, row, 2);

    for (LengthSpinBox *spin : {m_cellWidth, m_cellHeight, m_spacingX, m_spacingY, m_namesHeight})
        connect(spin, &LengthSpinBox::changed, this, &IndexPrintDialog::fieldsChanged);
    connect(m_showNames, &QCheckBox::toggled, this, &IndexPrintDialog::fieldsChanged);
    connect(m_autoRefresh, &QCheckBox::toggled, this, &IndexPrintDialog::fieldsChanged);
    connect(previous, &QPushButton::clicked, this, &IndexPrintDialog::previousList);
    connect(next, &QPushButton::clicked, this, &IndexPrintDialog::nextList);
    return group;
}

QWidget *IndexPrintDialog::buildSourceGroup()
{
    auto *group = new QGroupBox(tr("Files"), this);
    auto *box = new QVBoxLayout(group);
    m_list = new QListWidget(group);
    m_list->setFixedWidth(200);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    box->addWidget(m_list, 1);

    auto *add = new QPushButton(tr("+"), group);
    add->setToolTip(tr("Add file to list"));
    auto *remove = new QPushButton(tr("-"), group);
    remove->setToolTip(tr("Remove file from list"));
    auto *up = new QPushButton(tr("Вверх"), group);
    up->setToolTip(tr("Move file up"));
    auto *down = new QPushButton(tr("Вниз"), group);
    down->setToolTip(tr("Move file down"));
    auto *buttons = new QGridLayout;
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(remove, 0, 1);
    buttons->addWidget(up, 1, 0);
    buttons->addWidget(down, 1, 1);
    box->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] {
        const QStringList chosen = QFileDialog::getOpenFileNames(
            this, QString(), QFileInfo(m_form.sources.path(0)).absolutePath(),
            tr("Изображения (jpg, tiff, bmp) (*.jpg *.tif *.tiff *.bmp *.JPG *.TIF *.TIFF *.BMP)"));
        addFiles(chosen);
    });
    connect(remove, &QPushButton::clicked, this, &IndexPrintDialog::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    return group;
}

void IndexPrintDialog::fillFromForm()
{
    m_filling = true;
    const IndexPrintForm &f = m_form;
    formatList()->setCurrentIndex(rowOf(f.parameters.formatIndex()));
    dpiEdit()->setText(f.parameters.dpiText());
    photolabBox()->setChecked(f.parameters.photolab());
    const auto setLength = [](LengthField *field, const TypedLength &length) {
        if (length.unit)
            field->setUnit(*length.unit);
        field->setValue(length.text);
    };
    setLength(frameWidthField(), f.frameWidth);
    setLength(marginField(), f.margin);
    setLength(textHeightField(), f.textHeight);
    textEdit()->setText(f.text);
    m_cellWidth->setValue(f.cellWidth);
    m_cellHeight->setValue(f.cellHeight);
    m_spacingX->setValue(f.minSpacingX);
    m_spacingY->setValue(f.minSpacingY);
    m_namesHeight->setValue(f.namesHeight);
    m_showNames->setChecked(f.showNames);
    m_filling = false;
    fieldsChanged();
}

void IndexPrintDialog::fieldsChanged()
{
    if (m_filling)
        return;
    IndexPrintForm &f = m_form;
    if (formatList()->currentIndex() >= 0)
        f.parameters.setFormatIndex(formatList()->currentData().toInt());
    f.parameters.setDpiText(dpiEdit()->text());
    f.parameters.setPhotolab(photolabBox()->isChecked());
    const auto typed = [](const LengthField *field) { return TypedLength{field->value(), field->unit()}; };
    f.frameWidth = typed(frameWidthField());
    f.margin = typed(marginField());
    f.textHeight = typed(textHeightField());
    f.text = textEdit()->text();
    f.textFont = textFont();
    f.textColour = textColour();
    f.cellWidth = m_cellWidth->value();
    f.cellHeight = m_cellHeight->value();
    f.minSpacingX = m_spacingX->value();
    f.minSpacingY = m_spacingY->value();
    f.namesHeight = m_namesHeight->value();
    f.showNames = m_showNames->isChecked();
    updateTexts();
}

void IndexPrintDialog::updateTexts()
{
    updateSizeText();
    m_listText->setText(m_form.listText());
    m_quantity->setText(m_form.quantityText());
    // Nothing to write without sources or without a cell that fits.
    m_create->setEnabled(!m_form.sources.isEmpty() && m_form.layout().isValid());
    m_preview->update();
}

void IndexPrintDialog::refillSources(int selectRow)
{
    m_list->clear();
    for (int row = 0; row < m_form.sources.count(); ++row) {
        auto *item = new QListWidgetItem(m_form.sources.displayName(row), m_list);
        item->setData(Qt::UserRole, row);
        item->setToolTip(m_form.sources.path(row));
    }
    if (selectRow >= 0 && selectRow < m_list->count())
        m_list->setCurrentRow(selectRow);
    updateTexts();
}

void IndexPrintDialog::addFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int selected = m_list->currentRow();
    m_form.sources.append(paths);
    refillSources(selected);
}

void IndexPrintDialog::removeSelected()
{
    refillSources(m_form.sources.remove(m_list->currentRow()));
}

void IndexPrintDialog::moveSelected(int direction)
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    refillSources(direction < 0 ? m_form.sources.moveUp(row) : m_form.sources.moveDown(row));
}

void IndexPrintDialog::previousList()
{
    m_form.previousList();
    updateTexts();
}

void IndexPrintDialog::nextList()
{
    m_form.nextList();
    updateTexts();
}

void IndexPrintDialog::setFormat(int)
{
    // The list already shows the new entry; fieldsChanged() copies it.
    fieldsChanged();
}

void IndexPrintDialog::applyCustomSize(const CustomSizeCheck &check)
{
    // Not reached while the list holds paper formats only.
    m_form.parameters.applyCustomSize(check);
    fieldsChanged();
}

void IndexPrintDialog::toggleOrientation()
{
    m_form.parameters.toggleOrientation();
    fieldsChanged();
}

void IndexPrintDialog::setPhotolab(bool)
{
    fieldsChanged();
}

void IndexPrintDialog::setDpiText(const QString &)
{
    fieldsChanged();
}

void IndexPrintDialog::drawingChanged()
{
    fieldsChanged();
}

void IndexPrintDialog::chooseAndCreate()
{
    if (m_form.sources.isEmpty() || !m_form.layout().isValid() || !confirmOutputSize())
        return;
    QFileDialog dialog(this, tr("Choose file for save"), QFileInfo(m_form.sources.path(0)).absolutePath(),
                       tr("JPEG (*.jpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();

    bool allLists = false;
    if (m_form.asksForAllLists()) {
        allLists = QMessageBox::question(this, tr("Warning"),
                                         tr("Print area contains more than one list.\nDo you want to prepare all "
                                            "lists (choose <Yes>) or only current one (choose <No>)?"),
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    }
    const int quality = JpegQualityDialog::choose(this);
    createFiles(chosen, allLists, quality);
}

int IndexPrintDialog::createFiles(const QString &chosenPath, bool allLists, int quality)
{
    if (!confirmOutputSize())
        return 0;
    const QList<IndexLayout::PlannedFile> files = m_form.plan(chosenPath, allLists);
    if (files.isEmpty())
        return 0;
    const IndexPrintJob job = m_form.job(quality);

    QProgressDialog progress(this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setRange(0, int(files.size()));
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setLabelText(tr("Making list %1 of %2...").arg(1).arg(files.size()));

    // The pages are made on a thread of their own so that the progress
    // dialog stays responsive and Cancel is heard.
    std::atomic_bool cancel{false};
    IndexPrintJob::Outcome outcome;
    QEventLoop loop;
    QThread *worker = QThread::create([&] {
        outcome = job.run(
            files,
            [&](int n) {
                QMetaObject::invokeMethod(&progress, [&progress, &files, n] {
                    progress.setValue(n);
                    progress.setLabelText(IndexPrintDialog::tr("Making list %1 of %2...")
                                              .arg(files[n].list)
                                              .arg(files.size()));
                });
            },
            &cancel);
    });
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    connect(&progress, &QProgressDialog::canceled, &loop, [&cancel] { cancel = true; });
    progress.show();
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    progress.close();

    if (outcome.written > 0)
        m_created = true;
    if (outcome.cancelled)
        return outcome.written;
    if (!outcome.failure.ok()) {
        const bool damaged = outcome.failure.status == SaveResult::Damaged;
        QMessageBox::warning(this, tr("Warning"), damaged ? outcome.failure.message : tr("Cannot create image"));
        return outcome.written;
    }
    QMessageBox::information(this, tr("Information"), tr("Image created successfull"));
    return outcome.written;
}

void IndexPrintDialog::done(int result)
{
    // The cell, spacing, names and format keys; the base stores the
    // resolution, lengths and text it shares with the final step.
    const IndexPrintForm &form = m_form;
    SettingsChoices::apply([&form](AppSettings &s) { form.save(s); });
    PrintParametersDialog::done(result);
}

} // namespace quorvel
