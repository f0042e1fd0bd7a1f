#include "gui/editor/videoedittabeffect.h"

#include "core/edit/editeffects.h"
#include "core/media/videoinfo.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/editor/editorstyle.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

VideoEditTabEffect::VideoEditTabEffect(QWidget *parent) : QWidget(parent)
{
    EditorStyle::styleTab(this, QStringLiteral("VideoEditTabEffect"));

    m_cbEffect = new QComboBox(this);
    m_cbEffect->setObjectName(QStringLiteral("cbEffect"));
    m_cbEffect->addItem(tr("No Effect"), EditEffects::NoEffect);
    m_cbEffect->addItem(tr("Deshake"), EditEffects::Deshake);
    m_cbEffect->addItem(tr("Sharp"), EditEffects::Sharp);
    m_cbEffect->addItem(tr("Blur"), EditEffects::Blur);
    m_cbEffect->addItem(tr("Negate"), EditEffects::Negate);
    m_cbDeinterlacing = new QComboBox(this);
    m_cbDeinterlacing->setObjectName(QStringLiteral("cbDeinterlacing"));
    m_cbDeinterlacing->addItem(tr("None"), EditEffects::DeinterlaceNone);
    m_cbDeinterlacing->addItem(tr("Repeat Odd Field"), EditEffects::RepeatOdd);
    m_cbDeinterlacing->addItem(tr("Repeat Even Field"), EditEffects::RepeatEven);
    m_cbDeinterlacing->addItem(tr("Odd Interpolate"), EditEffects::OddInterpolate);
    m_cbDeinterlacing->addItem(tr("Even Interpolate"), EditEffects::EvenInterpolate);
    for (QComboBox *combo : {m_cbEffect, m_cbDeinterlacing})
        combo->setMinimumWidth(150);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(14);
    form->addRow(tr("Effect"), m_cbEffect);
    form->addRow(tr("Deinterlacing"), m_cbDeinterlacing);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    m_sliderBrightness = addSlider(grid, 0, tr("Brigtness"), "sliderBrightness");
    m_sliderContrast = addSlider(grid, 1, tr("Contrast"), "sliderContrast");
    m_sliderSaturation = addSlider(grid, 2, tr("Saturation"), "sliderSaturation");
    m_sliderAmplifier = addSlider(grid, 3, tr("Amplifier"), "sliderAmplifier");

    m_btnApply = EditorStyle::makeButton(tr("Apply"), QStringLiteral("btnApply"), this);
    m_btnReset = EditorStyle::makeButton(tr("Reset"), QStringLiteral("btnReset"), this);

    auto *top = new QHBoxLayout;
    top->addLayout(form);
    top->addSpacing(24);
    top->addLayout(grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnApply);
    buttons->addSpacing(10);
    buttons->addWidget(m_btnReset);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 8);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_sliderBrightness, &QSlider::valueChanged, this, &VideoEditTabEffect::onBrightnessChanged);
    connect(m_sliderContrast, &QSlider::valueChanged, this, &VideoEditTabEffect::onContrastChanged);
    connect(m_sliderSaturation, &QSlider::valueChanged, this, &VideoEditTabEffect::onSaturationChanged);
    connect(m_sliderAmplifier, &QSlider::valueChanged, this, &VideoEditTabEffect::onAmplifierChanged);
    connect(m_cbEffect, &QComboBox::currentIndexChanged, this, &VideoEditTabEffect::onCBEffectOptionChanged);
    connect(m_cbDeinterlacing, &QComboBox::currentIndexChanged, this,
            &VideoEditTabEffect::onCBDeinterlacingnChanged);
    connect(m_btnApply, &QPushButton::clicked, this, &VideoEditTabEffect::onBtnApplyClicked);
    connect(m_btnReset, &QPushButton::clicked, this, &VideoEditTabEffect::onBtnResetClicked);
}

QSlider *VideoEditTabEffect::addSlider(QGridLayout *grid, int row, const QString &name,
                                       const char *objectName)
{
    auto *label = new QLabel(name, this);
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QLatin1String(objectName));
    slider->setRange(-100, 100);
    slider->setTickPosition(QSlider::TicksAbove);
    slider->setTickInterval(10);
    slider->setMinimumWidth(220);

    auto *scale = new QHBoxLayout;
    scale->setContentsMargins(0, 0, 0, 0);
    auto *low = new QLabel(QStringLiteral("-100"), this);
    auto *zero = new QLabel(QStringLiteral("0"), this);
    auto *high = new QLabel(QStringLiteral("100"), this);
    for (QLabel *l : {low, zero, high})
        l->setStyleSheet(QStringLiteral("font-size: 9px;"));
    scale->addWidget(low);
    scale->addStretch(1);
    scale->addWidget(zero);
    scale->addStretch(1);
    scale->addWidget(high);

    auto *column = new QVBoxLayout;
    column->setSpacing(0);
    column->addWidget(slider);
    column->addLayout(scale);
    grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(column, row, 1);
    return slider;
}

PreviewFilterTarget *VideoEditTabEffect::filters() const
{
    return m_filters ? m_filters : m_player;
}

void VideoEditTabEffect::sendLevels(int brightness, int contrast, int saturation)
{
    editPreview([&](FilterSettings &f) {
        f.lightness = brightness;
        f.contrast = contrast;
        f.saturation = saturation;
    });
}

void VideoEditTabEffect::setVolume(int amplifier)
{
    if (m_player)
        m_player->SetVolumn(EditEffects::amplifierVolume(amplifier));
}

void VideoEditTabEffect::setRecord(VideoInfo *record)
{
    if (!record)
        return;
    m_record = record;
    load();
}

void VideoEditTabEffect::onBrightnessChanged(int value)
{
    editPreview([&](FilterSettings &f) { f.lightness = value; });
}

void VideoEditTabEffect::onContrastChanged(int value)
{
    editPreview([&](FilterSettings &f) { f.contrast = value; });
}

void VideoEditTabEffect::onSaturationChanged(int value)
{
    editPreview([&](FilterSettings &f) { f.saturation = value; });
}

void VideoEditTabEffect::onAmplifierChanged(int value)
{
    setVolume(value);
}

void VideoEditTabEffect::onCBEffectOptionChanged(int index)
{
    bool ok = false;
    const int effect = m_cbEffect->itemData(index).toInt(&ok);
    if (ok)
        editPreview([effect](FilterSettings &f) { EditEffects::applyEffect(effect, f); });
}

void VideoEditTabEffect::onCBDeinterlacingnChanged(int index)
{
    bool ok = false;
    const int mode = m_cbDeinterlacing->itemData(index).toInt(&ok);
    if (ok)
        editPreview([mode](FilterSettings &f) { EditEffects::applyDeinterlace(mode, f); });
}

void VideoEditTabEffect::onBtnApplyClicked()
{
    if (!m_record)
        return;
    const auto store = [this](qint32 &field, int value) {
        if (field != value) {
            field = value;
            m_record->effectChanged = true;
        }
    };
    store(m_record->brightness, m_sliderBrightness->value());
    store(m_record->contrast, m_sliderContrast->value());
    store(m_record->saturation, m_sliderSaturation->value());
    store(m_record->amplifier, m_sliderAmplifier->value());
    store(m_record->effect, m_cbEffect->currentData().toInt());
    store(m_record->deinterlace, m_cbDeinterlacing->currentData().toInt());
}

void VideoEditTabEffect::onBtnResetClicked()
{
    if (m_record)
        load();
}

void VideoEditTabEffect::load()
{
    m_sliderBrightness->setValue(m_record->brightness);
    m_sliderContrast->setValue(m_record->contrast);
    m_sliderSaturation->setValue(m_record->saturation);
    m_sliderAmplifier->setValue(m_record->amplifier);
    sendLevels(m_record->brightness, m_record->contrast, m_record->saturation);
    setVolume(m_record->amplifier);

    const int effect = m_cbEffect->findData(m_record->effect);
    if (effect >= 0) {
        m_cbEffect->setCurrentIndex(effect);
        onCBEffectOptionChanged(effect);
    }
    const int deinterlace = m_cbDeinterlacing->findData(m_record->deinterlace);
    if (deinterlace >= 0) {
        m_cbDeinterlacing->setCurrentIndex(deinterlace);
        onCBDeinterlacingnChanged(deinterlace);
    }
}

void VideoEditTabEffect::applyPreview()
{
    sendLevels(m_sliderBrightness->value(), m_sliderContrast->value(), m_sliderSaturation->value());
    setVolume(m_sliderAmplifier->value());
    onCBEffectOptionChanged(m_cbEffect->currentIndex());
    onCBDeinterlacingnChanged(m_cbDeinterlacing->currentIndex());
}
