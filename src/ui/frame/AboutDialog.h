#pragma once

#include <QDialog>

namespace quorvel {

// The About box: the program's icon, name and version.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace quorvel
