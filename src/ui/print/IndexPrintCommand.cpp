#include "ui/print/IndexPrintCommand.h"

#include "ui/files/CRightPaneView.h"
#include "ui/frame/CMainFrame.h"
#include "ui/imaging/CQuorvelView.h"
#include "ui/print/CIndexPrintDlg.h"

namespace quorvel {

void showIndexPrint(CMainFrame &frame)
{
    QString selection;
    for (const QString &path : frame.fileList()->GetSelectedFiles(true))
        selection += path + QLatin1Char(';');

    const QRect placement = frame.geometry();
    const bool maximised = frame.isMaximized();
    frame.hide();
    bool created = false;
    {
        CIndexPrintDlg dialog(selection, &frame);
        dialog.exec();
        created = dialog.fileCreated();
    }
    if (maximised) {
        frame.showMaximized();
    } else {
        frame.setGeometry(placement);
        frame.show();
    }
    frame.view()->markZoomRecompute();
    if (created)
        frame.refreshList();
}

} // namespace quorvel
