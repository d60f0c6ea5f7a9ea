#pragma once

#include <QDialog>

namespace quorvel {

// "Help: available keys and features list": the keys of the program in
// three groups.
class KeyHelpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KeyHelpDialog(QWidget *parent = nullptr);

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

} // namespace quorvel
