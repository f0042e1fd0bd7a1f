#include "gui/editor/videoedittabwatermark.h"

#include "core/edit/overlayrules.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoinfo.h"
#include "engine/av/filtersettings.h"
#include "gui/common/lineeditmonitor.h"
#include "gui/common/lineeditwithpushbutton.h"
#include "gui/editor/editorcolorcombo.h"
#include "gui/editor/previewedits.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// The image dialog's filters: a name for the translators and its patterns.
struct ImageFilter {
    const char *name;
    const char *patterns;
};
const ImageFilter kImageFilters[] = {
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "All Images"),
     "*.tiff *.tif *.gif *.png *.jpg *.jpeg *.jfif *.bmp *.ico *.emf *.wmf"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Tag Image File Format"), "*.tiff"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Tag Image File Format"), "*.tif"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "GIF compuServce GIF"), "*.gif"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Portable Network Graphics"), "*.png"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "JPEG Image File"), "*.jpg"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "JPEG Image File"), "*.jpeg"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "JPEG Image File"), "*.jfif"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Bitmaps"), "*.bmp"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Icons"), "*.ico"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Enhanced Metafiles"), "*.emf"},
    {QT_TRANSLATE_NOOP("VideoEditTabWatermark", "Metafiles"), "*.wmf"},
};

QString imageFilter()
{
    QStringList filters;
    for (const ImageFilter &f : kImageFilters)
        filters << QStringLiteral("%1 (%2)").arg(VideoEditTabWatermark::tr(f.name),
                                                 QLatin1String(f.patterns));
    return filters.join(QStringLiteral(";;"));
}
} // namespace

VideoEditTabWatermark::VideoEditTabWatermark(EditorDialog *dialog, QWidget *parent)
    : VideoEditTabOverlay(dialog, QStringLiteral("VideoEditTabWatermark"), parent)
{
    chkStartup = new QCheckBox(tr("Starup Watermark"), this);
    chkStartup->setObjectName(QStringLiteral("chkStartup"));
    radioImage = new QRadioButton(tr("Image Watermark"), this);
    radioImage->setObjectName(QStringLiteral("radioImage"));
    radioText = new QRadioButton(tr("Text Waterwark"), this);
    radioText->setObjectName(QStringLiteral("radioText"));
    auto *types = new QButtonGroup(this);
    types->addButton(radioImage);
    types->addButton(radioText);
    radioImage->setChecked(true);
    editImage = new LineEditWithPushButton(this);
    editImage->setObjectName(QStringLiteral("editImage"));
    editImage->setEditable(true);
    editImage->setToolTip(tr("Select Image Files"));
    swallowKeys(editImage->lineEdit());
    editText = new QLineEdit(this);
    editText->setObjectName(QStringLiteral("editText"));
    m_monitor = new LineEditMonitor(this);
    m_monitor->watch(editText);
    spinImageWidth = new QSpinBox(this);
    spinImageWidth->setObjectName(QStringLiteral("spinImageWidth"));
    spinImageHeight = new QSpinBox(this);
    spinImageHeight->setObjectName(QStringLiteral("spinImageHeight"));
    for (QSpinBox *spin : {spinImageWidth, spinImageHeight}) {
        spin->setFixedWidth(66);
        spin->setKeyboardTracking(false);
    }

    auto *top = new QHBoxLayout;
    top->addWidget(chkStartup);
    top->addSpacing(20);
    top->addWidget(radioImage);
    top->addWidget(radioText);
    top->addStretch(1);
    auto *image = new QHBoxLayout;
    image->addWidget(new QLabel(tr("Image:"), this));
    image->addWidget(editImage, 1);
    image->addSpacing(12);
    image->addWidget(new QLabel(tr("Image Size:"), this));
    image->addWidget(spinImageWidth);
    image->addWidget(new QLabel(QStringLiteral("X"), this));
    image->addWidget(spinImageHeight);
    auto *text = new QHBoxLayout;
    text->addWidget(new QLabel(tr("Text:"), this));
    text->addWidget(editText, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->setSpacing(5);
    layout->addLayout(top);
    layout->addLayout(image);
    layout->addLayout(text);
    layout->addLayout(styleGrid());
    layout->addStretch(1);

    connect(editImage, &LineEditWithPushButton::triggered, this,
            &VideoEditTabWatermark::onWaterImageSelectBtnClicked);
    connect(editImage, &QComboBox::editTextChanged, this, &VideoEditTabWatermark::onWaterImageChanged);
    connect(m_monitor, &LineEditMonitor::textChanged, this,
            [this](const QString &t, QLineEdit *) { onWaterTextChanged(t); });
    connect(chkStartup, &QCheckBox::stateChanged, this, &VideoEditTabWatermark::onEnableWatermarkChanged);
    connect(radioImage, &QRadioButton::toggled, this, &VideoEditTabWatermark::onImageTypeChanged);
    connect(radioText, &QRadioButton::toggled, this, &VideoEditTabWatermark::onTextTypeChanged);
    connect(spinImageWidth, &QSpinBox::valueChanged, this, &VideoEditTabWatermark::onSpinImageWidthChanged);
    connect(spinImageHeight, &QSpinBox::valueChanged, this, &VideoEditTabWatermark::onSpinImageHeightChanged);
    updateEnabling();
}

QSize VideoEditTabWatermark::videoSize() const
{
    return record() ? QSize(record()->width, record()->height) : QSize();
}

QString VideoEditTabWatermark::fontFile() const
{
    return OverlayRules::watermarkFontFile(cbFont->currentText());
}

void VideoEditTabWatermark::onWaterImageSelectBtnClicked()
{
    // Subtitles and logos usually lie beside the video.
    const QString folder = record() ? QFileInfo(record()->filename).absolutePath() : QString();
    const QString file = QFileDialog::getOpenFileName(this, tr("Select Image Files"), folder, imageFilter());
    if (!file.isEmpty())
        useImageFile(file);
}

bool VideoEditTabWatermark::useImageFile(const QString &file)
{
    QImageReader reader(file);
    const QSize image = reader.size();
    if (!image.isValid() || !reader.canRead())
        return false;
    const QSize video = videoSize();
    setPairValue(sliderHorSpace, spinHorSpace, 0);
    setPairValue(sliderVerSpace, spinVerSpace, 0);
    const QSize size = OverlayRules::initialImageSize(image, video);
    spinImageWidth->setRange(0, std::max(0, video.width()));
    spinImageWidth->setValue(size.width());
    spinImageHeight->setRange(0, std::max(0, video.height()));
    spinImageHeight->setValue(size.height());
    editImage->setEditText(file);
    return true;
}

void VideoEditTabWatermark::updateEnabling()
{
    const bool on = chkStartup->isChecked();
    const bool image = radioImage->isChecked();
    radioImage->setEnabled(on);
    radioText->setEnabled(on);
    setPositionEnabled(on);
    editImage->setEnabled(on && image);
    spinImageWidth->setEnabled(on && image);
    spinImageHeight->setEnabled(on && image);
    editText->setEnabled(on && !image);
    setStyleEnabled(on && !image);
    setTransparencyEnabled(on && !image);
}

void VideoEditTabWatermark::removeWatermarks()
{
    editPreview([](FilterSettings &f) {
        PreviewEdits::removeImageWatermark(f);
        PreviewEdits::removeTextWatermark(f);
    });
}

void VideoEditTabWatermark::onEnableWatermarkChanged(int state)
{
    updateEnabling();
    if (loading())
        return;
    if (state == Qt::Checked)
        SetFilter();
    else
        removeWatermarks();
}

void VideoEditTabWatermark::onImageTypeChanged(bool)
{
    limitSpaces();
    onEnableWatermarkChanged(chkStartup->checkState());
}

void VideoEditTabWatermark::onTextTypeChanged(bool)
{
    limitSpaces();
    onEnableWatermarkChanged(chkStartup->checkState());
}

void VideoEditTabWatermark::onWaterImageChanged(const QString &)
{
    SetFilter();
}

void VideoEditTabWatermark::onWaterTextChanged(const QString &)
{
    SetFilter();
}

void VideoEditTabWatermark::limitSpaces()
{
    const QSize video = videoSize();
    if (radioImage->isChecked()) {
        setPairRange(sliderHorSpace, spinHorSpace,
                     OverlayRules::imageOffsetLimit(video.width(), spinImageWidth->value()));
        setPairRange(sliderVerSpace, spinVerSpace,
                     OverlayRules::imageOffsetLimit(video.height(), spinImageHeight->value()));
    } else {
        // A text may stand anywhere on the picture, whatever image size was
        // chosen before.
        setPairRange(sliderHorSpace, spinHorSpace, std::max(0, video.width()));
        setPairRange(sliderVerSpace, spinVerSpace, std::max(0, video.height()));
    }
}

void VideoEditTabWatermark::onSpinImageWidthChanged(int)
{
    if (!radioImage->isChecked())
        return;
    limitSpaces();
    SetFilter();
}

void VideoEditTabWatermark::onSpinImageHeightChanged(int)
{
    if (!radioImage->isChecked())
        return;
    limitSpaces();
    SetFilter();
}

void VideoEditTabWatermark::SetFilter()
{
    if (loading())
        return;
    const bool on = chkStartup->isChecked();
    if (radioImage->isChecked()) {
        const QString file = editImage->currentText();
        if (file.isEmpty()) {
            editPreview([](FilterSettings &f) { PreviewEdits::removeTextWatermark(f); });
            return;
        }
        const QSize image(spinImageWidth->value(), spinImageHeight->value());
        const QPoint at = OverlayRules::imageWatermarkPosition(sliderHorSpace->value(),
                                                               sliderVerSpace->value(), image, videoSize());
        editPreview([&](FilterSettings &f) {
            PreviewEdits::removeTextWatermark(f);
            f.imageWatermark = on;
            f.imageWatermarkFile = file.toLocal8Bit().toStdString();
            f.imageWatermarkWidth = image.width();
            f.imageWatermarkHeight = image.height();
            f.imageWatermarkX = at.x();
            f.imageWatermarkY = at.y();
        });
        return;
    }
    const qint64 packed = ConvertJob::textWatermarkColor(color(), alpha());
    const std::string text = editText->text().toUtf8().toStdString();
    const std::string font = fontFile().toLocal8Bit().toStdString();
    editPreview([&](FilterSettings &f) {
        PreviewEdits::removeImageWatermark(f);
        f.textWatermark = on;
        f.textWatermarkText = text;
        f.textWatermarkFontFile = font;
        f.textWatermarkFontSize = fontSize();
        f.textWatermarkColor = packed;
        f.textWatermarkX = sliderHorSpace->value();
        f.textWatermarkY = sliderVerSpace->value();
    });
}

void VideoEditTabWatermark::load()
{
    const VideoInfo *r = record();
    const QSize video = videoSize();
    setLoading(true);
    loadStyle(r->watermarkFontName, r->watermarkColor, r->watermarkFontSize, r->watermarkFontStyle);
    chkStartup->setChecked(r->watermarkEnabled);
    (r->watermarkType ? radioText : radioImage)->setChecked(true);
    editImage->setEditText(r->watermarkImage);
    editText->setText(r->watermarkText);
    loadPairs(r->watermarkAlpha, r->watermarkHorSpace, r->watermarkVerSpace, video.width(), video.height());
    spinImageWidth->setRange(0, std::max(0, video.width()));
    spinImageHeight->setRange(0, std::max(0, video.height()));
    spinImageWidth->setValue(r->watermarkImageWidth ? r->watermarkImageWidth : video.width());
    spinImageHeight->setValue(r->watermarkImageHeight ? r->watermarkImageHeight : video.height());
    limitSpaces();
    setLoading(false);
    updateEnabling();
    SetFilter();
    if (!chkStartup->isChecked())
        removeWatermarks();
}

void VideoEditTabWatermark::apply()
{
    VideoInfo *r = record();
    r->watermarkEnabled = chkStartup->isChecked();
    r->watermarkColor = color();
    r->watermarkColorName = OverlayRules::colorName(color());
    r->watermarkFontName = cbFont->currentText();
    r->watermarkFontStyle = cbStyle->currentData().toInt();
    r->watermarkHorSpace = sliderHorSpace->value();
    r->watermarkImageWidth = spinImageWidth->value();
    r->watermarkImageHeight = spinImageHeight->value();
    r->watermarkFontSize = fontSize();
    r->watermarkAlpha = alpha();
    r->watermarkType = radioImage->isChecked() ? 0 : 1;
    r->watermarkVerSpace = sliderVerSpace->value();
    r->watermarkImage = editImage->currentText();
    r->watermarkText = editText->text();
    r->watermarkChanged = true;
}
