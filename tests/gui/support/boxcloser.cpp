#include "gui/support/boxcloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

BoxCloser::BoxCloser()
{
    m_timer.setInterval(30);
    connect(&m_timer, &QTimer::timeout, this, &BoxCloser::answerActive);
    m_timer.start();
}

void BoxCloser::answerActive()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    seen << box->windowTitle() + "|" + box->text();
    details << box->informativeText();
    QAbstractButton *button = box->button(QMessageBox::Ok);
    if (!button)
        button = box->button(answerYes ? QMessageBox::Yes : QMessageBox::No);
    if (button)
        button->click();
}
