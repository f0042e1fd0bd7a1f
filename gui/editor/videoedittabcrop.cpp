#include "gui/editor/videoedittabcrop.h"

#include "core/edit/cropselection.h"
#include "core/media/videoinfo.h"
#include "gui/common/guilog.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/editorstyle.h"
#include "gui/editor/videoselector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

VideoEditTabCrop::VideoEditTabCrop(EditorDialog *dialog, QWidget *parent) : QWidget(parent), m_dialog(dialog)
{
    EditorStyle::styleTab(this, QStringLiteral("VideoEditTabCrop"));
    // The background named for this tab is the editor tabs' common one.
    m_cbZoom = new QComboBox(this);
    m_cbZoom->setObjectName(QStringLiteral("cbZoom"));
    m_cbZoom->addItem(tr("Keep Original"), 0);
    m_cbZoom->addItem(tr("Full Screen"), 1);
    m_cbZoom->addItem(tr("16:9"), 2);
    m_cbZoom->addItem(tr("4:3"), 3);
    m_cbZoom->addItem(tr("3:2"), 4);
    m_cbZoom->setMinimumWidth(140);

    const auto makeSpin = [this](const char *name) {
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QLatin1String(name));
        spin->setRange(0, 999999);
        spin->setSingleStep(1);
        // A value counts once typed in full (Enter, leaving the field or the
        // arrows), not at every digit: the selector may correct it.
        spin->setKeyboardTracking(false);
        spin->setMinimumWidth(80);
        return spin;
    };
    m_spinLeft = makeSpin("spinLeft");
    m_spinTop = makeSpin("spinTop");
    m_spinWidth = makeSpin("spinWidth");
    m_spinHeight = makeSpin("spinHeight");
    m_chkKeepRatio = new QCheckBox(tr("Keep Aspect Ratio"), this);
    m_chkKeepRatio->setObjectName(QStringLiteral("chkKeepRatio"));
    m_chkKeepRatio->setMaximumWidth(200);
    m_btnApply = EditorStyle::makeButton(tr("Apply"), QStringLiteral("btnApply"), this);
    m_btnReset = EditorStyle::makeButton(tr("Reset"), QStringLiteral("btnReset"), this);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(new QLabel(tr("Zoom:"), this), 0, 0, Qt::AlignRight);
    grid->addWidget(m_cbZoom, 0, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(new QLabel(tr("Left:"), this), 1, 0, Qt::AlignRight);
    grid->addWidget(m_spinLeft, 1, 1);
    grid->addWidget(new QLabel(tr("Top:"), this), 2, 0, Qt::AlignRight);
    grid->addWidget(m_spinTop, 2, 1);
    grid->addWidget(new QLabel(tr("Cropped Area Size:"), this), 3, 0, Qt::AlignRight);
    grid->addWidget(m_spinWidth, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("X"), this), 3, 2, Qt::AlignCenter);
    grid->addWidget(m_spinHeight, 3, 3);
    grid->addWidget(m_chkKeepRatio, 3, 4);
    grid->setColumnStretch(5, 1);

    auto *tipTitle = new QLabel(tr("Tip:"), this);
    tipTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto *tip = new QLabel(
        tr("Ctrl+Arrow key: Adjust the crop area location; Shift+Arrow key:Zoom the crop area."), this);
    tip->setObjectName(QStringLiteral("lbTip"));
    tip->setWordWrap(true);
    auto *tipRow = new QHBoxLayout;
    tipRow->addWidget(tipTitle, 0, Qt::AlignTop);
    tipRow->addWidget(tip, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnApply);
    buttons->addSpacing(10);
    buttons->addWidget(m_btnReset);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 8);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(tipRow);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_spinLeft, &QSpinBox::valueChanged, this, &VideoEditTabCrop::onSpinLeftChanged);
    connect(m_spinTop, &QSpinBox::valueChanged, this, &VideoEditTabCrop::onSpinTopChanged);
    connect(m_spinWidth, &QSpinBox::valueChanged, this, &VideoEditTabCrop::onSpinWidthChanged);
    connect(m_spinHeight, &QSpinBox::valueChanged, this, &VideoEditTabCrop::onSpinHeightChanged);
    connect(m_cbZoom, &QComboBox::currentIndexChanged, this, &VideoEditTabCrop::onZoomCurrentIndexChanged);
    connect(m_chkKeepRatio, &QCheckBox::stateChanged, this, &VideoEditTabCrop::onKeepRatioStateChanged);
    connect(m_btnApply, &QPushButton::clicked, this, &VideoEditTabCrop::onBtnApplyClicked);
    connect(m_btnReset, &QPushButton::clicked, this, &VideoEditTabCrop::onBtnResetClicked);
}

QSize VideoEditTabCrop::ratioOfZoomItem(int index) const
{
    switch (m_cbZoom->itemData(index).toInt()) {
    case 1:
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return screen->availableGeometry().size();
        return QSize(-1, -1);
    case 2:
        return QSize(16, 9);
    case 3:
        return QSize(4, 3);
    case 4:
        return QSize(3, 2);
    default:
        return QSize(-1, -1);
    }
}

void VideoEditTabCrop::setRecord(VideoInfo *record)
{
    if (!record)
        return;
    m_record = record;
    load();
}

void VideoEditTabCrop::onSpinLeftChanged(int value)
{
    qCDebug(lcEditor, "OnSpinLeftChanged, Value = [%d]", value);
}

void VideoEditTabCrop::onSpinTopChanged(int) {}

void VideoEditTabCrop::onSpinWidthChanged(int) {}

void VideoEditTabCrop::onSpinHeightChanged(int) {}

void VideoEditTabCrop::onZoomCurrentIndexChanged(int index)
{
    const QSize ratio = ratioOfZoomItem(index);
    if (VideoSelector *selector = m_dialog ? m_dialog->selector() : nullptr)
        selector->setCurrentRatio(ratio.width(), ratio.height());
}

void VideoEditTabCrop::onKeepRatioStateChanged(int state)
{
    const bool checked = state == Qt::Checked;
    m_cbZoom->setEnabled(checked);
    if (VideoSelector *selector = m_dialog ? m_dialog->selector() : nullptr)
        selector->setKeepRatio(checked);
}

void VideoEditTabCrop::onBtnApplyClicked()
{
    if (!m_record)
        return;
    // What the boxes hold, cut to the frame so that the stored area always
    // lies inside the picture.
    const QRect crop = CropSelection::clampToVideo(
        QRect(m_spinLeft->value(), m_spinTop->value(), m_spinWidth->value(), m_spinHeight->value()),
        QSize(m_record->width, m_record->height));
    const auto store = [this](auto &field, auto value) {
        if (field != value) {
            field = value;
            m_record->cropChanged = true;
        }
    };
    store(m_record->cropLeft, crop.left());
    store(m_record->cropTop, crop.top());
    store(m_record->cropWidth, crop.width());
    store(m_record->cropHeight, crop.height());
    store(m_record->keepRatio, m_chkKeepRatio->isChecked());
    const int zoom = m_cbZoom->currentData().toInt();
    if (m_record->zoomMode != zoom)
        m_record->zoomMode = zoom;
}

void VideoEditTabCrop::onBtnResetClicked()
{
    if (m_record)
        load();
}

void VideoEditTabCrop::load()
{
    const int zoom = m_cbZoom->findData(m_record->zoomMode);
    if (zoom >= 0 && zoom != m_cbZoom->currentIndex())
        m_cbZoom->setCurrentIndex(zoom);
    else // the same item: its ratio still has to follow this file's frame
        onZoomCurrentIndexChanged(m_cbZoom->currentIndex());
    if (m_record->cropWidth == 0)
        m_record->cropWidth = m_record->width;
    if (m_record->cropHeight == 0)
        m_record->cropHeight = m_record->height;
    if (VideoSelector *selector = m_dialog ? m_dialog->selector() : nullptr)
        selector->setSelectedArea(QRect(QPoint(m_record->cropLeft, m_record->cropTop),
                                        QPoint(m_record->cropLeft + m_record->cropWidth - 1,
                                               m_record->cropTop + m_record->cropHeight - 1)));
    m_chkKeepRatio->setChecked(m_record->keepRatio);
    // The box may not have changed; its enabling rules hold either way.
    onKeepRatioStateChanged(m_chkKeepRatio->checkState());
}
