#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLineEdit;

// Reports the text of a line edit at a calm pace: every two seconds while the
// field has the keyboard focus and once when the focus leaves, instead of on
// every keystroke.  Nothing is reported while the field is disabled.
class LineEditMonitor : public QObject {
    Q_OBJECT
public:
    explicit LineEditMonitor(QObject *parent = nullptr);
    ~LineEditMonitor() override;

    // Starts watching edit (not owned); a null edit is ignored.  Watching a
    // second edit stops watching the first.
    void watch(QLineEdit *edit);
    QLineEdit *watched() const;

    // Emits textChanged when the watched, enabled edit's text differs from
    // the last one reported.
    void checkText();

    int interval() const { return timer.interval(); }

signals:
    void textChanged(QString text, QLineEdit *pLineEdit = nullptr);

public slots:
    void timeout();

protected:
    bool eventFilter(QObject *watchedObject, QEvent *event) override;

private:
    // The watched edit, guarded so that a deleted edit is never touched.  Held
    // as a QObject: while the edit is being destroyed it is no longer a
    // QLineEdit, yet its last events still pass the filter.
    QPointer<QObject> editObject;
    QString lastText;
    QTimer timer;
};
