#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane Reelmax"));
    QApplication::setOrganizationName(QStringLiteral("CorVane Software"));
    MainWindow w;
    w.show();
    return app.exec();
}
