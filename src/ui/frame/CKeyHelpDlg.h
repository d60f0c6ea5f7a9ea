#pragma once

#include <QDialog>

namespace quorvel {

// "Help: available keys and features list": the keys of the program in
// three groups.
class CKeyHelpDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CKeyHelpDlg(QWidget *parent = nullptr);

    struct Line
    {
        const char *label;
        const char *keys;
    };
    struct Group
    {
        const char *title;
        std::vector<Line> lines;
    };
    static const std::vector<Group> &groups();
};

// The About box: the program's icon, name and version.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace quorvel
