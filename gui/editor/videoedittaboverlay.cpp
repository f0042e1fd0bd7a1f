#include "gui/editor/videoedittaboverlay.h"

#include "core/edit/overlayrules.h"
#include "gui/common/fontcombo.h"
#include "gui/editor/editorcolorcombo.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/editorstyle.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

VideoEditTabOverlay::VideoEditTabOverlay(EditorDialog *dialog, const QString &objectName, QWidget *parent)
    : QWidget(parent), m_dialog(dialog)
{
    EditorStyle::styleTab(this, objectName);

    cbFont = new QComboBox(this);
    cbFont->setObjectName(QStringLiteral("cbFont"));
    cbFont->setEditable(false);
    fillFontFamilyCombo(cbFont);
    cbFont->setMaxVisibleItems(16);
    // Until a record names one of the installed families, a plain sans face
    // is shown rather than whichever family sorts first.
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                  QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()}) {
        const int index = cbFont->findText(family);
        if (index >= 0) {
            cbFont->setCurrentIndex(index);
            break;
        }
    }
    cbColor = new EditorColorCombo(this);
    cbColor->setObjectName(QStringLiteral("cbColor"));
    cbSize = new QComboBox(this);
    cbSize->setObjectName(QStringLiteral("cbSize"));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 36, 48, 72})
        cbSize->addItem(QString::number(size));
    cbStyle = new QComboBox(this);
    cbStyle->setObjectName(QStringLiteral("cbStyle"));
    cbStyle->addItem(tr("Regular"), 0);
    cbStyle->addItem(tr("Bold"), 1);
    cbStyle->addItem(tr("Italic"), 2);
    for (QComboBox *combo : {cbFont, static_cast<QComboBox *>(cbColor), cbSize, cbStyle})
        combo->setFixedWidth(170);

    const auto makePair = [this](const char *name, QSlider *&slider, QSpinBox *&spin) {
        slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("slider%1").arg(QLatin1String(name)));
        slider->setMinimumWidth(150);
        spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("spin%1").arg(QLatin1String(name)));
        spin->setFixedWidth(66);
    };
    makePair("Transparency", sliderTransparency, spinTransparency);
    makePair("HorSpace", sliderHorSpace, spinHorSpace);
    makePair("VerSpace", sliderVerSpace, spinVerSpace);
    setPairRange(sliderTransparency, spinTransparency, 100);

    btnApply = EditorStyle::makeButton(tr("Apply"), QStringLiteral("btnApply"), this);
    btnReset = EditorStyle::makeButton(tr("Reset"), QStringLiteral("btnReset"), this);

    m_styleGrid = new QGridLayout;
    m_styleGrid->setHorizontalSpacing(8);
    m_styleGrid->setVerticalSpacing(5);
    const QString names[4] = {tr("Font"), tr("Color"), tr("Size"), tr("Style")};
    QComboBox *combos[4] = {cbFont, cbColor, cbSize, cbStyle};
    for (int row = 0; row < 4; ++row) {
        m_styleGrid->addWidget(new QLabel(names[row], this), row, 0, Qt::AlignRight | Qt::AlignVCenter);
        m_styleGrid->addWidget(combos[row], row, 1);
    }
    const QString pairNames[3] = {tr("Transparency:"), tr("Horizontal Space:"), tr("Vertical Space:")};
    QSlider *sliders[3] = {sliderTransparency, sliderHorSpace, sliderVerSpace};
    QSpinBox *spins[3] = {spinTransparency, spinHorSpace, spinVerSpace};
    for (int row = 0; row < 3; ++row) {
        m_styleGrid->addWidget(new QLabel(pairNames[row], this), row, 3, Qt::AlignRight | Qt::AlignVCenter);
        m_styleGrid->addWidget(sliders[row], row, 4);
        m_styleGrid->addWidget(spins[row], row, 5);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnApply);
    buttons->addSpacing(10);
    buttons->addWidget(btnReset);
    m_styleGrid->addLayout(buttons, 3, 3, 1, 3);
    m_styleGrid->setColumnMinimumWidth(2, 16);
    m_styleGrid->setColumnStretch(4, 1);

    connect(cbColor, &QComboBox::activated, this, &VideoEditTabOverlay::onColorSelectionActivated);
    connect(cbColor, &QComboBox::currentIndexChanged, this, &VideoEditTabOverlay::onFontColorChanged);
    connect(cbFont, &QComboBox::currentTextChanged, this, &VideoEditTabOverlay::onFontNameChanged);
    connect(cbSize, &QComboBox::currentTextChanged, this, &VideoEditTabOverlay::onFontSizeChanged);
    connect(cbStyle, &QComboBox::currentIndexChanged, this, &VideoEditTabOverlay::onFontStyleChanged);
    connect(sliderTransparency, &QSlider::valueChanged, this,
            &VideoEditTabOverlay::onSliderTransparencyChanged);
    connect(sliderHorSpace, &QSlider::valueChanged, this, &VideoEditTabOverlay::onSliderHorSpaceChanged);
    connect(sliderVerSpace, &QSlider::valueChanged, this, &VideoEditTabOverlay::onSliderVerSpaceChanged);
    connect(spinTransparency, &QSpinBox::valueChanged, this, &VideoEditTabOverlay::onSpinTransparencyChanged);
    connect(spinHorSpace, &QSpinBox::valueChanged, this, &VideoEditTabOverlay::onSpinHorSpaceChanged);
    connect(spinVerSpace, &QSpinBox::valueChanged, this, &VideoEditTabOverlay::onSpinVerSpaceChanged);
    connect(btnApply, &QPushButton::clicked, this, &VideoEditTabOverlay::onBtnApplyClicked);
    connect(btnReset, &QPushButton::clicked, this, &VideoEditTabOverlay::onBtnResetClicked);
}

PreviewFilterTarget *VideoEditTabOverlay::filters() const
{
    if (m_filters)
        return m_filters;
    return m_dialog ? m_dialog->filterTarget() : nullptr;
}

void VideoEditTabOverlay::setRecord(VideoInfo *record)
{
    if (!record)
        return;
    m_record = record;
    load();
}

int VideoEditTabOverlay::alpha() const
{
    return OverlayRules::alphaFromPercent(spinTransparency->value());
}

QColor VideoEditTabOverlay::color() const
{
    return cbColor->currentColor();
}

int VideoEditTabOverlay::fontSize() const
{
    return cbSize->currentText().toInt();
}

void VideoEditTabOverlay::onColorSelectionActivated(int index)
{
    // A colour of the user's own shows at once, like any other choice.
    if (cbColor->customize(index))
        SetFilter();
}

void VideoEditTabOverlay::onBtnResetClicked()
{
    if (m_record)
        load();
}

void VideoEditTabOverlay::onBtnApplyClicked()
{
    if (m_record)
        apply();
}

void VideoEditTabOverlay::onFontNameChanged(const QString &)
{
    SetFilter();
}

void VideoEditTabOverlay::onFontColorChanged(int)
{
    SetFilter();
}

void VideoEditTabOverlay::onFontSizeChanged(const QString &)
{
    SetFilter();
}

void VideoEditTabOverlay::onFontStyleChanged(int)
{
    // The style is stored by Apply; the preview filters take no style.
}

void VideoEditTabOverlay::pairSliderChanged(QSpinBox *spin, int value)
{
    if (m_spinWriting)
        return;
    m_sliderWriting = true;
    spin->setValue(value);
    m_sliderWriting = false;
    SetFilter();
}

void VideoEditTabOverlay::pairSpinChanged(QSlider *slider, int value)
{
    if (m_sliderWriting)
        return;
    m_spinWriting = true;
    slider->setValue(value);
    m_spinWriting = false;
    SetFilter();
}

void VideoEditTabOverlay::onSliderTransparencyChanged(int value)
{
    pairSliderChanged(spinTransparency, value);
}

void VideoEditTabOverlay::onSliderHorSpaceChanged(int value)
{
    pairSliderChanged(spinHorSpace, value);
}

void VideoEditTabOverlay::onSliderVerSpaceChanged(int value)
{
    pairSliderChanged(spinVerSpace, value);
}

void VideoEditTabOverlay::onSpinTransparencyChanged(int value)
{
    pairSpinChanged(sliderTransparency, value);
}

void VideoEditTabOverlay::onSpinHorSpaceChanged(int value)
{
    pairSpinChanged(sliderHorSpace, value);
}

void VideoEditTabOverlay::onSpinVerSpaceChanged(int value)
{
    pairSpinChanged(sliderVerSpace, value);
}

void VideoEditTabOverlay::loadStyle(const QString &fontName, const QColor &c, int size, int style)
{
    const int font = cbFont->findText(fontName);
    if (font >= 0)
        cbFont->setCurrentIndex(font);
    cbColor->selectColor(c);
    const int sizeIndex = cbSize->findText(QString::number(size));
    if (sizeIndex >= 0)
        cbSize->setCurrentIndex(sizeIndex);
    const int styleIndex = cbStyle->findData(style);
    if (styleIndex >= 0)
        cbStyle->setCurrentIndex(styleIndex);
}

void VideoEditTabOverlay::setPairRange(QSlider *slider, QSpinBox *spin, int maximum)
{
    const bool sliderWriting = m_sliderWriting, spinWriting = m_spinWriting;
    // The two clamp each other's values to the new range, once.
    m_sliderWriting = m_spinWriting = true;
    slider->setRange(0, maximum);
    spin->setRange(0, maximum);
    spin->setValue(slider->value());
    m_sliderWriting = sliderWriting;
    m_spinWriting = spinWriting;
}

void VideoEditTabOverlay::setPairValue(QSlider *slider, QSpinBox *spin, int value)
{
    slider->setValue(value);
    spin->setValue(value);
}

void VideoEditTabOverlay::loadPairs(int alphaValue, int horSpace, int verSpace, int videoWidth,
                                    int videoHeight)
{
    setPairRange(sliderTransparency, spinTransparency, 100);
    setPairRange(sliderHorSpace, spinHorSpace, std::max(0, videoWidth));
    setPairRange(sliderVerSpace, spinVerSpace, std::max(0, videoHeight));
    setPairValue(sliderTransparency, spinTransparency, OverlayRules::percentFromAlpha(alphaValue));
    setPairValue(sliderHorSpace, spinHorSpace, horSpace);
    setPairValue(sliderVerSpace, spinVerSpace, verSpace);
}

void VideoEditTabOverlay::setStyleEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{cbFont, cbColor, cbSize, cbStyle})
        w->setEnabled(enabled);
}

void VideoEditTabOverlay::setPositionEnabled(bool enabled)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{sliderHorSpace, spinHorSpace, sliderVerSpace, spinVerSpace})
        w->setEnabled(enabled);
}

void VideoEditTabOverlay::setTransparencyEnabled(bool enabled)
{
    sliderTransparency->setEnabled(enabled);
    spinTransparency->setEnabled(enabled);
}

void VideoEditTabOverlay::swallowKeys(QWidget *widget)
{
    m_keysSwallowed = widget;
    widget->installEventFilter(this);
    widget->setContextMenuPolicy(Qt::NoContextMenu); // no pasting either
    widget->setAcceptDrops(false);
}

bool VideoEditTabOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_keysSwallowed &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod))
        return true;
    return QWidget::eventFilter(watched, event);
}
