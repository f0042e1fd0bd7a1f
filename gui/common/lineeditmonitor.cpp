#include "gui/common/lineeditmonitor.h"

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
    if (editObject)
        editObject->removeEventFilter(this);
}

QLineEdit *LineEditMonitor::watched() const
{
    return qobject_cast<QLineEdit *>(editObject.data());
}

void LineEditMonitor::watch(QLineEdit *edit)
{
    if (!edit)
        return;
    if (editObject && editObject != edit) {
        editObject->removeEventFilter(this);
        timer.stop();
    }
    editObject = edit;
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
    QLineEdit *edit = watched();
    if (!edit || !edit->isEnabled())
        return;
    const QString text = edit->text();
    if (text == lastText)
        return;
    lastText = text;
    emit textChanged(text, edit);
}

bool LineEditMonitor::eventFilter(QObject *watchedObject, QEvent *event)
{
    if (editObject && watchedObject == editObject.data()) {
        if (event->type() == QEvent::FocusIn) {
            timer.start();
        } else if (event->type() == QEvent::FocusOut) {
            timer.stop();
            checkText();
        }
    }
    return QObject::eventFilter(watchedObject, event);
}
