#pragma once

#include "core/print/IndexPictures.h"
#include "core/print/IndexPrintForm.h"
#include "ui/print/PrintParametersDialog.h"

#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quorvel {

class LengthSpinBox;

// "Quorvel - index-print create wizard": many pictures laid out in equal
// cells on pages ("lists") of a paper format, each page written as a JPEG.
// The user edits the source files, the format, the cell and spacing sizes,
// the names under the pictures and a page text, looks at the lists in the
// preview and creates one file or one per list. The format, resolution,
// frame width, margin and text fields are the ones of PrintParametersDialog; the
// list offers the paper formats only.
class IndexPrintDialog : public PrintParametersDialog
{
    Q_OBJECT
public:
    // selection: the file list's selected paths, each followed by ";".
    explicit IndexPrintDialog(const QString &selection, QWidget *parent = nullptr);
    ~IndexPrintDialog() override;

    // Whether at least one file was written.
    bool fileCreated() const { return m_created; }

    const IndexPrintForm &form() const { return m_form; }
    QListWidget *sourceList() const { return m_list; }
    QLabel *listLabel() const { return m_listText; }
    QLabel *quantityLabel() const { return m_quantity; }
    QPushButton *createButton() const { return m_create; }
    QWidget *preview() const;

    // Writes the planned files with a progress dialog; the chosen name and
    // the answer to the all-lists question are already known. Returns the
    // number of files written; failures are reported to the user.
    int createFiles(const QString &chosenPath, bool allLists, int quality);

    void done(int result) override;

public Q_SLOTS:
    void addFiles(const QStringList &paths);
    void removeSelected();
    void moveSelected(int direction);
    void previousList();
    void nextList();

protected:
    const PrintParameters &parameters() const override { return m_form.parameters; }
    void setFormat(int index) override;
    void applyCustomSize(const CustomSizeCheck &check) override;
    void toggleOrientation() override;
    void setPhotolab(bool on) override;
    void setDpiText(const QString &text) override;
    void drawingChanged() override;

private:
    class Preview;

    QWidget *buildFormatGroup();
    QWidget *buildCellGroup();
    QWidget *buildSourceGroup();
    void fillFromForm();
    void refillSources(int selectRow);
    // Copies the widgets into the form and shows what follows from them.
    void fieldsChanged();
    void updateTexts();
    void chooseAndCreate();

    IndexPrintForm m_form;
    std::unique_ptr<IndexPictures> m_pictures; // the preview's, cached
    bool m_created = false;
    bool m_filling = false;

    LengthSpinBox *m_cellWidth = nullptr;
    LengthSpinBox *m_cellHeight = nullptr;
    LengthSpinBox *m_spacingX = nullptr;
    LengthSpinBox *m_spacingY = nullptr;
    LengthSpinBox *m_namesHeight = nullptr;
    QCheckBox *m_showNames = nullptr;
    QCheckBox *m_autoRefresh = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_listText = nullptr;
    QLabel *m_quantity = nullptr;
    QPushButton *m_create = nullptr;
    Preview *m_preview = nullptr;
};

} // namespace quorvel
