#pragma once

#include <QWidget>

class QPushButton;
class QSlider;

// The strip of the trim dialog: a position slider (0..1000) with two cursors
// below it that mark a section.  The start mark is the left cursor's right
// edge, the end mark the right cursor's left edge; the cursors are dragged
// with the mouse and never pass each other or leave the slider's span.
class VideoTrimDialogSectionChooser : public QWidget {
    Q_OBJECT
public:
    static constexpr int SliderMax = 1000;

    explicit VideoTrimDialogSectionChooser(QWidget *parent = nullptr);

    QSlider *slider() const { return m_slider; }
    QPushButton *leftCursor() const { return m_leftCursor; }
    QPushButton *rightCursor() const { return m_rightCursor; }

    // Both cursors to the ends of the slider (the whole source).
    void resetCursors();
    // The marks as slider values.
    int startValue() const;
    int endValue() const;
    // Moves a cursor's mark to a slider value without announcing it (the
    // other cursor still bounds it).
    void setStartValue(int value);
    void setEndValue(int value);

signals:
    void startValChanged(int val);
    void endValChanged(int val);
    void sliderMoved(int val);
    void chooseStarted();
    void chooseEnd();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int sliderLeft() const;
    int sliderSpan() const;
    int valueOfMark(int markX) const;
    int markOfValue(int value) const;
    // The x a cursor may take, given the other cursor and the slider's span.
    int clampedX(QPushButton *cursor, int x) const;
    void placeCursor(QPushButton *cursor, int x);
    void dragTo(QPushButton *cursor, const QPoint &globalPos);

    QSlider *m_slider = nullptr;
    QPushButton *m_leftCursor = nullptr;
    QPushButton *m_rightCursor = nullptr;
    QPushButton *m_dragging = nullptr;
    int m_pressOffset = 0;
    bool m_placed = false; // the cursors have been put on the slider once
};
