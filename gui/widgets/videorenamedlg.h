#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a new display name of a list row.
class VideoRenameDlg : public QDialog {
    Q_OBJECT
public:
    explicit VideoRenameDlg(QWidget *parent = nullptr);

    void setName(const QString &name) { m_name = name; }
    QString name() const { return m_name; }
    QLineEdit *editName() const { return m_editName; }
    QPushButton *btnOk() const { return m_btnOk; }
    QPushButton *btnCancel() const { return m_btnCancel; }
    QPushButton *btnClose() const { return m_btnClose; }

public slots:
    void onBtnOkClicked();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_lbName;
    QLineEdit *m_editName;
    QPushButton *m_btnOk;
    QPushButton *m_btnCancel;
    QPushButton *m_btnClose;
    QString m_name;
};
