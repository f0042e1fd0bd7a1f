#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers every modal message box as it shows: presses OK or, on a box
// without one, Yes or No as answerYes says; records each box's
// "title|text" and its informative text.
class BoxCloser : public QObject {
public:
    BoxCloser();

    QStringList seen;
    QStringList details; // each box's informative text, in the same order
    bool answerYes = true;

private:
    void answerActive();

    QTimer m_timer;
};
