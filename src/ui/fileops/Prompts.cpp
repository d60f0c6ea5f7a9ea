#include "ui/fileops/Prompts.h"

#include "ui/fileops/RenameDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quorvel {

namespace {

std::unique_ptr<Prompts> &installed()
{
    static std::unique_ptr<Prompts> prompts;
    return prompts;
}

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("quorvel::Prompts", text);
}

} // namespace

Prompts::~Prompts() = default;

Prompts &Prompts::instance()
{
    static Prompts dialogs;
    return installed() ? *installed() : dialogs;
}

void Prompts::install(std::unique_ptr<Prompts> prompts)
{
    installed() = std::move(prompts);
}

bool Prompts::ask(QWidget *parent, const QString &caption, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void Prompts::tell(QWidget *parent, const QString &caption, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

FileCopier::Replace Prompts::askReplace(QWidget *parent, const QString &target)
{
    QMessageBox box(QMessageBox::Question, tr("Warning"),
                    tr("The file \"%1\" already exists.\nDo you want to replace it?")
                        .arg(QDir::toNativeSeparators(target)),
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return FileCopier::Replace::Yes;
    case QMessageBox::YesToAll:
        return FileCopier::Replace::YesToAll;
    case QMessageBox::No:
        return FileCopier::Replace::No;
    default:
        return FileCopier::Replace::Cancel;
    }
}

QString Prompts::browseForFolder(QWidget *parent, const QString &title, const QString &start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, title, start.isEmpty() ? QDir::homePath() : start,
                                                             QFileDialog::ShowDirsOnly);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

QString Prompts::chooseProgram(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
#ifdef Q_OS_WIN
    dialog.setNameFilter(tr("Exe files (*.exe)"));
#else
    // Any program will do: only executable files are offered.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
#endif
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    if (!chosen.isFile() || !chosen.isExecutable())
        return QString();
    return QDir::toNativeSeparators(chosen.absoluteFilePath());
}

std::optional<QString> Prompts::askNewName(QWidget *parent, const QString &folder, const QString &oldName)
{
    RenameDialog dialog(folder, oldName, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.newName();
}

} // namespace quorvel
