#include "ui/print/IndexPrintCommand.h"

#include "ui/files/FileListPane.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/MainWindowAside.h"
#include "ui/imaging/ImageView.h"
#include "ui/print/IndexPrintDialog.h"

namespace quorvel {

void showIndexPrint(MainWindow &frame)
{
    QString selection;
    for (const QString &path : frame.fileList()->selectedFiles(true))
        selection += path + QLatin1Char(';');

    bool created = false;
    {
        MainWindowAside aside(frame);
        IndexPrintDialog dialog(selection, &frame);
        dialog.exec();
        created = dialog.fileCreated();
    }
    frame.view()->markZoomRecompute();
    if (created)
        frame.refreshList();
}

} // namespace quorvel
