#include "app/mainwindow.h"

MainWindow::MainWindow(QWidget *parent) : QWidget(parent)
{
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Corvane Reelmax"));
    resize(800, 600);
}
