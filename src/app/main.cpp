// The program entry: the main window with the script named on the command line, or the example.
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik"));
    brenvik::TfrmMain window;
    window.show();
    const QStringList arguments = QApplication::arguments();
    window.LoadFile(arguments.size() > 1 ? arguments.at(1) : QStringLiteral(BRENVIK_EXAMPLE_SCRIPT));
    return application.exec();
}
