#include "app/lineeditmonitor.h"

#include <QEvent>
#include <QLineEdit>

LineEditMonitor::LineEditMonitor(QObject *parent) : QObject(parent)
{
    timer.setInterval(2000);
    timer.setSingleShot(false);
    connect(&timer, &QTimer::timeout, this, &LineEditMonitor::timeout);
}

LineEditMonitor::~LineEditMonitor()
{
    timer.stop();
    if (lineEdit)
        lineEdit->removeEventFilter(this);
}

void LineEditMonitor::watch(QLineEdit *edit)
{
    if (!edit)
        return;
    if (lineEdit && lineEdit != edit) {
        lineEdit->removeEventFilter(this);
        timer.stop();
    }
    lineEdit = edit;
    edit->installEventFilter(this);
    // A field that already has the focus is polled from now on.
    if (edit->hasFocus())
        timer.start();
}

void LineEditMonitor::timeout()
{
    checkText();
}

void LineEditMonitor::checkText()
{
    if (!lineEdit || !lineEdit->isEnabled())
        return;
    const QString text = lineEdit->text();
    if (text == lastText)
        return;
    lastText = text;
    emit textChanged(text, lineEdit.data());
}

bool LineEditMonitor::eventFilter(QObject *watchedObject, QEvent *event)
{
    if (lineEdit && watchedObject == lineEdit.data()) {
        if (event->type() == QEvent::FocusIn) {
            timer.start();
        } else if (event->type() == QEvent::FocusOut) {
            timer.stop();
            checkText();
        }
    }
    return QObject::eventFilter(watchedObject, event);
}
