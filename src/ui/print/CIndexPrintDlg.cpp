#include "ui/print/CIndexPrintDlg.h"

#include "core/print/IndexPreview.h"
#include "core/print/IndexPrintJob.h"
#include "core/settings/AppSettings.h"
#include "ui/edit/CJpegQualityDlg.h"
#include "ui/print/LengthField.h"
#include "ui/print/LengthSpinBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <utility>

namespace quorvel {

// The page of the current list, drawn as the output will look.
class CIndexPrintDlg::Preview : public QWidget
{
public:
    explicit Preview(CIndexPrintDlg *dialog) : QWidget(dialog), m_dialog(dialog)
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
    CIndexPrintDlg *m_dialog;
};

CIndexPrintDlg::CIndexPrintDlg(const QString &selection, QWidget *parent)
    : QDialog(parent), m_pictures(std::make_unique<IndexPictures>(QStringList{}, true))
{
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

    connect(m_create, &QPushButton::clicked, this, &CIndexPrintDlg::chooseAndCreate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    fillFromForm();
    refillSources(0);
    resize(1100, 640);
}

CIndexPrintDlg::~CIndexPrintDlg() = default;

QWidget *CIndexPrintDlg::preview() const
{
    return m_preview;
}

QWidget *CIndexPrintDlg::buildFormatGroup()
{
    auto *group = new QGroupBox(this);
    auto *form = new QFormLayout(group);

    m_format = new QComboBox(group);
    for (int i = 0; i < IndexPrintForm::kFormatCount; ++i)
        m_format->addItem(m_form.parameters.catalogue().at(i).shortName, i);
    auto *rotate = new QPushButton(tr("R"), group);
    rotate->setFixedWidth(32);
    rotate->setToolTip(tr("Rotate the frame"));
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(m_format, 1);
    formatRow->addWidget(rotate);
    form->addRow(formatRow);

    m_dpi = new QLineEdit(group);
    m_dpi->setMaximumWidth(80);
    form->addRow(tr("Resolution, dpi:"), m_dpi);
    m_photolab = new QCheckBox(tr("Use digital photolab field scaling"), group);
    form->addRow(m_photolab);
    m_sizeText = new QPlainTextEdit(group);
    m_sizeText->setReadOnly(true);
    m_sizeText->setFixedHeight(m_sizeText->fontMetrics().lineSpacing() * 3 + 12);
    m_sizeText->setFocusPolicy(Qt::NoFocus);
    form->addRow(m_sizeText);

    const int units = globalSettings().defaultUnits;
    m_frameWidth = new LengthField(0.0, units, group);
    m_margin = new LengthField(0.0, units, group);
    m_textHeight = new LengthField(0.2, units, group);
    form->addRow(tr("Frame:"), m_frameWidth);
    m_text = new QLineEdit(group);
    form->addRow(tr("Text:"), m_text);
    form->addRow(tr("Text height:"), m_textHeight);
    form->addRow(tr("Magrin:"), m_margin);
    auto *font = new QPushButton(tr("Font"), group);
    auto *colour = new QPushButton(tr("Text color..."), group);
    auto *textButtons = new QHBoxLayout;
    textButtons->addWidget(font);
    textButtons->addWidget(colour);
    textButtons->addStretch(1);
    form->addRow(textButtons);

    connect(m_format, &QComboBox::currentIndexChanged, this, &CIndexPrintDlg::fieldsChanged);
    connect(m_dpi, &QLineEdit::textChanged, this, &CIndexPrintDlg::fieldsChanged);
    connect(m_photolab, &QCheckBox::toggled, this, &CIndexPrintDlg::fieldsChanged);
    connect(m_text, &QLineEdit::textChanged, this, &CIndexPrintDlg::fieldsChanged);
    for (LengthField *field : {m_frameWidth, m_margin, m_textHeight})
        connect(field, &LengthField::changed, this, &CIndexPrintDlg::fieldsChanged);
    connect(rotate, &QPushButton::clicked, this, [this] {
        m_form.parameters.toggleOrientation();
        fieldsChanged();
    });
    connect(font, &QPushButton::clicked, this, &CIndexPrintDlg::chooseFont);
    connect(colour, &QPushButton::clicked, this, &CIndexPrintDlg::chooseColour);
    return group;
}

QWidget *CIndexPrintDlg::buildCellGroup()
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
        connect(spin, &LengthSpinBox::changed, this, &CIndexPrintDlg::fieldsChanged);
    connect(m_showNames, &QCheckBox::toggled, this, &CIndexPrintDlg::fieldsChanged);
    connect(m_autoRefresh, &QCheckBox::toggled, this, &CIndexPrintDlg::fieldsChanged);
    connect(previous, &QPushButton::clicked, this, &CIndexPrintDlg::previousList);
    connect(next, &QPushButton::clicked, this, &CIndexPrintDlg::nextList);
    return group;
}

QWidget *CIndexPrintDlg::buildSourceGroup()
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
    connect(remove, &QPushButton::clicked, this, &CIndexPrintDlg::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    return group;
}

void CIndexPrintDlg::fillFromForm()
{
    m_filling = true;
    const IndexPrintForm &f = m_form;
    m_format->setCurrentIndex(m_format->findData(f.parameters.formatIndex()));
    m_dpi->setText(f.parameters.dpiText());
    m_photolab->setChecked(f.parameters.photolab());
    const auto setLength = [](LengthField *field, const TypedLength &length) {
        if (length.unit)
            field->setUnit(*length.unit);
        field->setValue(length.text);
    };
    setLength(m_frameWidth, f.frameWidth);
    setLength(m_margin, f.margin);
    setLength(m_textHeight, f.textHeight);
    m_text->setText(f.text);
    m_cellWidth->setValue(f.cellWidth);
    m_cellHeight->setValue(f.cellHeight);
    m_spacingX->setValue(f.minSpacingX);
    m_spacingY->setValue(f.minSpacingY);
    m_namesHeight->setValue(f.namesHeight);
    m_showNames->setChecked(f.showNames);
    m_filling = false;
    fieldsChanged();
}

void CIndexPrintDlg::fieldsChanged()
{
    if (m_filling)
        return;
    IndexPrintForm &f = m_form;
    if (m_format->currentIndex() >= 0)
        f.parameters.setFormatIndex(m_format->currentData().toInt());
    f.parameters.setDpiText(m_dpi->text());
    f.parameters.setPhotolab(m_photolab->isChecked());
    f.frameWidth = {m_frameWidth->value(), m_frameWidth->unit()};
    f.margin = {m_margin->value(), m_margin->unit()};
    f.textHeight = {m_textHeight->value(), m_textHeight->unit()};
    f.text = m_text->text();
    f.cellWidth = m_cellWidth->value();
    f.cellHeight = m_cellHeight->value();
    f.minSpacingX = m_spacingX->value();
    f.minSpacingY = m_spacingY->value();
    f.namesHeight = m_namesHeight->value();
    f.showNames = m_showNames->isChecked();
    updateTexts();
}

void CIndexPrintDlg::updateTexts()
{
    m_sizeText->setPlainText(m_form.parameters.sizeText().remove(QLatin1Char('\r')));
    m_listText->setText(m_form.listText());
    m_quantity->setText(m_form.quantityText());
    // Nothing to write without sources or without a cell that fits.
    m_create->setEnabled(!m_form.sources.isEmpty() && m_form.layout().isValid());
    m_preview->update();
}

void CIndexPrintDlg::refillSources(int selectRow)
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

void CIndexPrintDlg::addFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int selected = m_list->currentRow();
    m_form.sources.append(paths);
    refillSources(selected);
}

void CIndexPrintDlg::removeSelected()
{
    refillSources(m_form.sources.remove(m_list->currentRow()));
}

void CIndexPrintDlg::moveSelected(int direction)
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    refillSources(direction < 0 ? m_form.sources.moveUp(row) : m_form.sources.moveDown(row));
}

void CIndexPrintDlg::previousList()
{
    m_form.previousList();
    updateTexts();
}

void CIndexPrintDlg::nextList()
{
    m_form.nextList();
    updateTexts();
}

void CIndexPrintDlg::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_form.textFont, this);
    if (!ok)
        return;
    m_form.textFont = font;
    m_preview->update();
}

void CIndexPrintDlg::chooseColour()
{
    const QColor colour = QColorDialog::getColor(m_form.textColour, this);
    if (!colour.isValid())
        return;
    m_form.textColour = colour;
    m_preview->update();
}

void CIndexPrintDlg::chooseAndCreate()
{
    if (m_form.sources.isEmpty() || !m_form.layout().isValid())
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
    const int quality = CJpegQualityDlg::choose(this);
    createFiles(chosen, allLists, quality);
}

int CIndexPrintDlg::createFiles(const QString &chosenPath, bool allLists, int quality)
{
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
                    progress.setLabelText(CIndexPrintDlg::tr("Making list %1 of %2...")
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
        QMessageBox::warning(this, tr("Warning"), tr("Cannot create image"));
        return outcome.written;
    }
    QMessageBox::information(this, tr("Information"), tr("Image created successfull"));
    return outcome.written;
}

void CIndexPrintDlg::done(int result)
{
    AppSettings &settings = globalSettings();
    m_form.save(settings);
    settings.save();
    QDialog::done(result);
}

} // namespace quorvel
