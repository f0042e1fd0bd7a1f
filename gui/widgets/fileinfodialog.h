#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Shows the media information of the selected file.
class FileInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit FileInfoDialog(QWidget *parent = nullptr);

    void setText(const QString &text) { m_text = text; }
    QString text() const { return m_text; }
    QPlainTextEdit *editInfo() const { return m_editInfo; }
    QPushButton *btnOk() const { return m_btnOk; }
    QPushButton *btnClose() const { return m_btnClose; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_lbCaption;
    QLabel *m_lbDetail;
    QPlainTextEdit *m_editInfo;
    QPushButton *m_btnOk;
    QPushButton *m_btnClose;
    QString m_text;
};
