#include "ui/print/PrintFramingDialog.h"

#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifReader.h"
#include "core/imaging/ImageDecoder.h"
#include "core/print/CaptionText.h"
#include "core/print/PrintComposer.h"
#include "core/print/PrintFileWriter.h"
#include "core/edit/SaveRules.h"
#include "core/settings/AppSettings.h"
#include "ui/app/SettingsChoices.h"
#include "ui/edit/JpegQualityDialog.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/PreviewWidget.h"
#include "ui/print/LengthField.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace quorvel {

namespace {

const QColor kPreviewBackground(0x37, 0x37, 0x37);

QToolButton *toolButton(const QString &text, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}

Qt::CursorShape cursorFor(PrintFrame::Handle h)
{
    using H = PrintFrame::Handle;
    switch (h) {
    case H::TopLeft:
    case H::BottomRight:
        return Qt::SizeFDiagCursor;
    case H::TopRight:
    case H::BottomLeft:
        return Qt::SizeBDiagCursor;
    case H::Top:
    case H::Bottom:
        return Qt::SizeVerCursor;
    case H::Left:
    case H::Right:
        return Qt::SizeHorCursor;
    case H::Middle:
        break;
    }
    return Qt::SizeAllCursor;
}

} // namespace

PrintFramingDialog::PrintFramingDialog(int format, const QStringList &files,
                                 const std::optional<CustomSizeCheck> &customSize, QWidget *parent)
    : PrintParametersDialog(format, FormatCatalogue::kCount, parent), m_model(format, files)
{
    setWindowTitle(tr("Quorvel - prepare file, final step"));
    setObjectName(QStringLiteral("PrintWizard"));
    setSizeGripEnabled(true);

    if (customSize && FormatCatalogue::isCustom(format))
        m_model.applyCustomSize(*customSize);
    // The list shows where the model stands (an index it does not list
    // falls back to "10x15 cm").
    if (rowOf(m_model.parameters().formatIndex()) < 0)
        m_model.setFormat(FormatCatalogue::kDefaultIndex);
    formatList()->setCurrentIndex(rowOf(m_model.parameters().formatIndex()));
    m_model.setDpiText(dpiEdit()->text());
    m_model.setPhotolab(photolabBox()->isChecked());

    m_preview = new PreviewWidget(this);
    m_preview->setObjectName(QStringLiteral("PctShow"));
    m_preview->setBackground(kPreviewBackground);
    m_preview->setInterpolation(globalSettings().resizeFullScreen);
    m_preview->setMinimumSize(480, 360);
    m_tracker = new FrameTracker(m_model.frame(), m_preview->preview());
    m_preview->setOverlayPainter([this](QPainter &p) { paintOverlay(p); });
    PreviewWidget::Tool tool;
    tool.press = [this](QPointF at) { return m_model.hasImage() && m_tracker->press(at); };
    tool.move = [this](QPointF at) { m_tracker->moveTo(at); };
    tool.release = [this](QPointF at) {
        m_tracker->release(at);
        m_preview->update();
    };
    tool.cursorAt = [this](QPointF at) {
        const auto h = m_tracker->hitTest(at);
        return h ? cursorFor(*h) : Qt::ArrowCursor;
    };
    m_preview->setTool(tool);

    auto *left = new QVBoxLayout;
    left->addLayout(controls());
    left->addWidget(buildSideControls());
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(buildPreviewBar());
    right->addWidget(m_preview, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(&m_watcher, &QFutureWatcher<DecodeResult>::finished, this, &PrintFramingDialog::imageLoaded);

    drawingChanged();
    updateSizeText();
    showPosition();
    resize(1000, 700);
}

PrintFramingDialog::~PrintFramingDialog()
{
    m_watcher.waitForFinished();
    restoreCursor();
    delete m_tracker;
}

QWidget *PrintFramingDialog::buildSideControls()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    m_exifButton = toolButton(tr(">"), tr("Insert info from EXIF"), box);
    connect(m_exifButton, &QToolButton::clicked, this, &PrintFramingDialog::showExifMenu);
    grid->addWidget(new QLabel(tr("Text position:"), box), row, 0);
    auto *positions = new QHBoxLayout;
    m_positions = new QButtonGroup(box);
    const std::array<std::pair<QString, CaptionPosition>, 4> corners{
        {{QStringLiteral("\u2196"), CaptionPosition::TopLeft},
         {QStringLiteral("\u2197"), CaptionPosition::TopRight},
         {QStringLiteral("\u2199"), CaptionPosition::BottomLeft},
         {QStringLiteral("\u2198"), CaptionPosition::BottomRight}}};
    for (const auto &[text, position] : corners) {
        QToolButton *b = toolButton(text, QString(), box);
        b->setCheckable(true);
        m_positions->addButton(b, int(position));
        positions->addWidget(b);
    }
    m_positions->button(int(CaptionPosition::BottomRight))->setChecked(true);
    positions->addStretch(1);
    positions->addWidget(m_exifButton);
    grid->addLayout(positions, row++, 1);
    connect(m_positions, &QButtonGroup::idClicked, this, [this] { drawingChanged(); });

    m_frameColourButton = new QPushButton(tr("Frame color..."), box);
    connect(m_frameColourButton, &QPushButton::clicked, this, &PrintFramingDialog::chooseFrameColour);
    grid->addWidget(m_frameColourButton, row++, 0, 1, 2);

    m_previous = new QPushButton(tr("<< "), box);
    m_previous->setToolTip(tr("Switch to previous selected file"));
    m_next = new QPushButton(tr(">>"), box);
    m_next->setToolTip(tr("Switch to next selected file"));
    m_position = new QLabel(box);
    auto *files = new QHBoxLayout;
    files->addWidget(m_previous);
    files->addWidget(m_position, 1, Qt::AlignCenter);
    files->addWidget(m_next);
    grid->addLayout(files, row++, 0, 1, 2);
    connect(m_previous, &QPushButton::clicked, this, [this] {
        if (!isLoading() && m_model.previous())
            loadCurrent();
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (!isLoading() && m_model.next())
            loadCurrent();
    });

    m_create = new QPushButton(tr("Create file..."), box);
    m_create->setObjectName(QStringLiteral("CreateFile"));
    m_create->setDefault(false);
    m_create->setAutoDefault(false);
    connect(m_create, &QPushButton::clicked, this, &PrintFramingDialog::createFile);
    auto *close = new QPushButton(tr("Cancel"), box);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &PrintFramingDialog::reject);
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_create);
    actions->addWidget(close);
    grid->addLayout(actions, row++, 0, 1, 2);
    return box;
}

QWidget *PrintFramingDialog::buildPreviewBar()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    QToolButton *zoomIn = toolButton(tr("+"), tr("Zoom in"), bar);
    QToolButton *zoomOut = toolButton(tr("-"), tr("Zoom out"), bar);
    QToolButton *fit = toolButton(tr("Fit"), tr("Fit image to window"), bar);
    m_dragMode = toolButton(tr("Move"), tr("Switch to drag picture mode"), bar);
    m_dragMode->setCheckable(true);
    connect(zoomIn, &QToolButton::clicked, this, [this] { m_preview->zoomIn(); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { m_preview->zoomOut(); });
    connect(fit, &QToolButton::clicked, this, [this] { m_preview->fit(); });
    connect(m_dragMode, &QToolButton::toggled, this, [this](bool on) { m_preview->setDragMode(on); });
    for (QToolButton *b : {zoomIn, zoomOut, fit, m_dragMode})
        row->addWidget(b);
    row->addSpacing(12);

    using A = PrintFrame::Alignment;
    const struct
    {
        const char *text;
        const char *tip;
        A alignment;
    } aligns[] = {
        {QT_TR_NOOP("HL"), QT_TR_NOOP("Align frame to left side"), A::Left},
        {QT_TR_NOOP("HC"), QT_TR_NOOP("Align frame to horizontal center"), A::HorizontalCentre},
        {QT_TR_NOOP("HR"), QT_TR_NOOP("Align frame to right side"), A::Right},
        {QT_TR_NOOP("SW"), QT_TR_NOOP("Align frame to image width"), A::ImageWidth},
        {QT_TR_NOOP("VT"), QT_TR_NOOP("Align frame to top side"), A::Top},
        {QT_TR_NOOP("VC"), QT_TR_NOOP("Align frame to vertical center"), A::VerticalCentre},
        {QT_TR_NOOP("VB"), QT_TR_NOOP("Align frame to bottom side"), A::Bottom},
        {QT_TR_NOOP("SH"), QT_TR_NOOP("Align frame to image hight"), A::ImageHeight},
    };
    for (const auto &a : aligns) {
        QToolButton *b = toolButton(tr(a.text), tr(a.tip), bar);
        b->setObjectName(QString::fromLatin1(a.text));
        const A alignment = a.alignment;
        connect(b, &QToolButton::clicked, this, [this, alignment] {
            if (!m_model.hasImage())
                return;
            m_model.frame().align(alignment);
            m_preview->update();
        });
        row->addWidget(b);
    }
    row->addSpacing(12);
    m_allowOutside = new QCheckBox(tr("Allow to put frame outside the image"), bar);
    connect(m_allowOutside, &QCheckBox::toggled, this, [this](bool on) { m_model.setAllowOutside(on); });
    row->addWidget(m_allowOutside);
    row->addStretch(1);
    return bar;
}

void PrintFramingDialog::setFormat(int index)
{
    m_model.setFormat(index);
    frameChanged();
}

void PrintFramingDialog::applyCustomSize(const CustomSizeCheck &check)
{
    m_model.applyCustomSize(check);
    frameChanged();
}

void PrintFramingDialog::toggleOrientation()
{
    m_model.toggleOrientation();
    frameChanged();
}

void PrintFramingDialog::setPhotolab(bool on)
{
    m_model.setPhotolab(on);
    frameChanged();
}

void PrintFramingDialog::setDpiText(const QString &text)
{
    m_model.setDpiText(text);
    frameChanged();
}

void PrintFramingDialog::drawingChanged()
{
    FinalStepModel::Fields f = m_model.fields();
    f.frameWidth = frameWidthField()->value();
    f.frameWidthUnit = frameWidthField()->unit();
    f.margin = marginField()->value();
    f.marginUnit = marginField()->unit();
    f.textHeight = textHeightField()->value();
    f.textHeightUnit = textHeightField()->unit();
    f.text = textEdit()->text();
    f.font = textFont();
    f.textColour = textColour();
    f.frameColour = m_frameColour;
    if (m_positions && m_positions->checkedId() >= 0)
        f.position = CaptionPosition(m_positions->checkedId());
    f.interpolation = globalSettings().resizeToPrint;
    m_model.setFields(f);
    if (m_preview)
        m_preview->update();
}

void PrintFramingDialog::frameChanged()
{
    if (m_preview)
        m_preview->update();
}

void PrintFramingDialog::showEvent(QShowEvent *event)
{
    PrintParametersDialog::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        // The dialog shows first, with "Loading..." in the preview.
        QTimer::singleShot(0, this, &PrintFramingDialog::loadCurrent);
    }
}

void PrintFramingDialog::loadCurrent()
{
    if (m_watcher.isRunning())
        return;
    m_model.setImage(QImage());
    m_preview->setImage(QImage());
    showPosition();
    const QString path = m_model.currentPath();
    if (path.isEmpty())
        return;
    m_exif = ExifFields();
    readExifFields(path, m_exif);
    m_damaged = false;
    DecodeOptions options;
    options.useCms = globalSettings().useCms != 0;
    options.hqRaw = globalSettings().hqRawConv != 0;
    options.applyOrientation = globalSettings().rotateByExif != 0;
    if (!m_waitCursor) {
        m_waitCursor = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    m_watcher.setFuture(QtConcurrent::run([path, options] { return ImageDecoder::decodeFile(path, options); }));
}

void PrintFramingDialog::loadCurrentAndWait()
{
    loadCurrent();
    m_watcher.waitForFinished();
    // The finished signal arrives through the event loop; take it now.
    if (m_watcher.future().isValid() && m_model.image().isNull())
        imageLoaded();
}

void PrintFramingDialog::imageLoaded()
{
    restoreCursor();
    if (!m_model.image().isNull())
        return; // taken already by loadCurrentAndWait
    const QFuture<DecodeResult> future = m_watcher.future();
    if (!future.isValid() || future.resultCount() == 0)
        return;
    const DecodeResult result = future.result();
    m_watcher.setFuture(QFuture<DecodeResult>());
    m_damaged = result.partial;
    m_model.setImage(result.image);
    m_preview->setImage(result.image);
    updateSizeText();
    showPosition();
}

void PrintFramingDialog::restoreCursor()
{
    if (m_waitCursor) {
        m_waitCursor = false;
        QApplication::restoreOverrideCursor();
    }
}

void PrintFramingDialog::showPosition()
{
    m_position->setText(m_model.positionText());
    m_previous->setEnabled(m_model.hasPrevious());
    m_next->setEnabled(m_model.hasNext());
    m_create->setEnabled(m_model.hasImage());
}

void PrintFramingDialog::paintOverlay(QPainter &painter)
{
    const QRectF view(QPointF(0, 0), QSizeF(m_preview->preview().viewSize()));
    if (isLoading()) {
        painter.setPen(Qt::white);
        painter.drawText(QPointF(30, 30), tr("Loading..."));
        return;
    }
    if (!m_model.hasImage())
        return;
    const QRectF frame = m_tracker->rect();
    PrintComposer::paintPreviewOverlay(painter, view, frame, m_model.composition(), true);

    // The tracker: a dashed outline and its eight handles.
    QPen pen(Qt::white, 1, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.normalized().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    using H = PrintFrame::Handle;
    for (H h : {H::TopLeft, H::TopRight, H::BottomRight, H::BottomLeft, H::Top, H::Right, H::Bottom, H::Left})
        painter.drawRect(m_tracker->handleRect(h));
}

void PrintFramingDialog::chooseFrameColour()
{
    const QColor colour = QColorDialog::getColor(m_frameColour, this);
    if (!colour.isValid())
        return;
    m_frameColour = colour;
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    m_frameColourButton->setIcon(QIcon(swatch));
    drawingChanged();
}

void PrintFramingDialog::showExifMenu()
{
    const ExifFieldTexts texts = ExifFieldTexts::of(m_exif, ExifFieldTexts::Style::Print);
    const CaptionText::FieldTexts fields{texts.camera,      texts.dateTime, texts.iso,
                                         texts.focalLength, texts.aperture, texts.exposure};
    QMenu menu(this);
    for (const CaptionText::MenuItem &item : CaptionText::menu(fields, m_exif.present != 0)) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(item.label);
        action->setEnabled(item.enabled);
        const int field = item.field;
        if (field >= 0)
            connect(action, &QAction::triggered, this, [this, field] { insertExifField(field); });
    }
    menu.exec(m_exifButton->mapToGlobal(QPoint(m_exifButton->width(), 0)));
}

void PrintFramingDialog::insertExifField(int field)
{
    if (field < 0 || field >= CaptionText::kFieldCount)
        return;
    const ExifFieldTexts texts = ExifFieldTexts::of(m_exif, ExifFieldTexts::Style::Print);
    const CaptionText::FieldTexts fields{texts.camera,      texts.dateTime, texts.iso,
                                         texts.focalLength, texts.aperture, texts.exposure};
    textEdit()->setText(CaptionText::withField(textEdit()->text(), fields[size_t(field)]));
    textEdit()->setFocus();
    textEdit()->end(false);
}

void PrintFramingDialog::createFile()
{
    if (!m_model.hasImage() || !confirmOutputSize())
        return;
    QFileDialog dialog(this, tr("Choose file for save"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    dialog.setNameFilter(tr("Файлы JPEG (*.jpg)"));
    dialog.selectFile(m_model.proposedFileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    createFileAt(path, -1);
}

bool PrintFramingDialog::createFileAt(const QString &path, int quality)
{
    if (!m_model.hasImage() || !confirmOutputSize())
        return false;
    if (m_damaged) {
        savemessages::tell(this, SaveRules::damagedMessage(), QMessageBox::Warning, tr("Warning"));
        return false;
    }
    const PrintComposition c = m_model.composition();
    // The output's pixels are decoded as the picture on screen was.
    PrintSource source = PrintSource::fromFile(
        m_model.currentPath(),
        {.useCms = globalSettings().useCms != 0, .applyOrientation = globalSettings().rotateByExif != 0});
    // The picture on screen is the one the frame was placed on.
    if (source.pixels.size() != m_model.image().size())
        source.pixels = m_model.image();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const EditedImage out = PrintFileWriter::compose(source, c);
    QApplication::restoreOverrideCursor();

    SaveResult result = SaveResult::of(SaveResult::Failed);
    if (!out.isNull()) {
        if (quality < 0)
            quality = JpegQualityDialog::choose(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        result = SaveRules::saveNewJpeg(out, path, quality);
        QApplication::restoreOverrideCursor();
    }
    if (!result.ok()) {
        const QString message = result.status == SaveResult::Damaged ? result.message : tr("Cannot create image");
        savemessages::tell(this, message, QMessageBox::Warning, tr("Warning"));
        return false;
    }
    m_created = true;
    savemessages::tell(this, tr("Image created successfull"), QMessageBox::Information, tr("Information"));
    return true;
}

void PrintFramingDialog::reject()
{
    if (!m_created && !savemessages::ask(this, tr("Do you really want to abort print preparing?"),
                                         QMessageBox::Warning))
        return;
    PrintParametersDialog::reject();
}

void PrintFramingDialog::done(int result)
{
    const int format = m_model.parameters().formatIndex();
    SettingsChoices::apply([format](AppSettings &s) { s.printFormat = format; });
    PrintParametersDialog::done(result);
}

} // namespace quorvel
