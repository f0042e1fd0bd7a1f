#pragma once

#include <QWidget>

// The program's main window.  Frameless; composes the panels.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
};
