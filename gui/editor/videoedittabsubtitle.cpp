#include "gui/editor/videoedittabsubtitle.h"

#include "core/config/videouserconfig.h"
#include "core/edit/overlayrules.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoinfo.h"
#include "engine/av/filtersettings.h"
#include "gui/common/lineeditwithpushbutton.h"
#include "gui/editor/editorcolorcombo.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/previewedits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

VideoEditTabSubtitle::VideoEditTabSubtitle(EditorDialog *dialog, QWidget *parent)
    : VideoEditTabOverlay(dialog, QStringLiteral("VideoEditTabSubtitle"), parent)
{
    chkEnable = new QCheckBox(tr("Enable the plug-in subtitle"), this);
    chkEnable->setObjectName(QStringLiteral("chkEnable"));
    chkCustomize = new QCheckBox(tr("Enable customized style"), this);
    chkCustomize->setObjectName(QStringLiteral("chkCustomize"));
    editPath = new LineEditWithPushButton(this);
    editPath->setObjectName(QStringLiteral("editPath"));
    editPath->setEditable(true);
    editPath->setToolTip(tr("Select File"));
    swallowKeys(editPath->lineEdit());

    auto *top = new QHBoxLayout;
    top->addWidget(chkEnable);
    top->addWidget(editPath, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->setSpacing(5);
    layout->addLayout(top);
    layout->addWidget(chkCustomize);
    layout->addLayout(styleGrid());
    layout->addStretch(1);

    connect(editPath, &LineEditWithPushButton::triggered, this,
            &VideoEditTabSubtitle::onSubtitleFileSelectBtnClicked);
    connect(editPath, &QComboBox::editTextChanged, this, &VideoEditTabSubtitle::onSubtitleFileSelected);
    connect(chkEnable, &QCheckBox::stateChanged, this, &VideoEditTabSubtitle::onEnableSubtitleStateChanged);
    connect(chkCustomize, &QCheckBox::stateChanged, this,
            &VideoEditTabSubtitle::onEnableCustomizeStateChanged);
    updateEnabling();
}

QString VideoEditTabSubtitle::path() const
{
    return editPath->currentText();
}

void VideoEditTabSubtitle::onSubtitleFileSelectBtnClicked()
{
    // Subtitles and logos usually lie beside the video.
    const QString folder = record() ? QFileInfo(record()->filename).absolutePath() : QString();
    const QString file = QFileDialog::getOpenFileName(nullptr, tr("Select File"), folder,
                                                      tr("subtitle files(*.srt *.ass *.ssa)"));
    if (!file.isEmpty())
        useSubtitleFile(file);
}

void VideoEditTabSubtitle::useSubtitleFile(const QString &file)
{
    editPath->setEditText(file);
    SetFilter();
}

void VideoEditTabSubtitle::onSubtitleFileSelected(const QString &)
{
    SetFilter();
}

void VideoEditTabSubtitle::updateEnabling()
{
    const bool enabled = chkEnable->isChecked();
    const bool styled = enabled && chkCustomize->isChecked();
    editPath->setEnabled(enabled);
    chkCustomize->setEnabled(enabled);
    setStyleEnabled(styled);
    setTransparencyEnabled(styled);
    setPositionEnabled(styled);
}

void VideoEditTabSubtitle::onEnableSubtitleStateChanged(int)
{
    updateEnabling();
    SetFilter();
}

void VideoEditTabSubtitle::onEnableCustomizeStateChanged(int)
{
    updateEnabling();
    SetFilter();
}

void VideoEditTabSubtitle::removeSubtitle()
{
    editPreview([](FilterSettings &f) { PreviewEdits::removeSubtitle(f); });
}

void VideoEditTabSubtitle::SetFilter()
{
    if (loading())
        return;
    const QString file = path();
    if (file.trimmed().isEmpty())
        return;
    const QString workDir = VideoUserConfig::instance()->tempDirectory() + QLatin1Char('/');
    // A file that does not read as subtitles is refused here already: the
    // preview would only show nothing, and the conversion fail later.
    const bool on = chkEnable->isChecked();
    if (!on || OverlayRules::isSubtitleFile(file)) {
        const QString fontName = cbFont->currentText();
        const qint64 packed = ConvertJob::subtitleColor(color(), alpha());
        editPreview([&](FilterSettings &f) {
            f.subtitle = on;
            f.subtitleFile = file.toLocal8Bit().toStdString();
            f.subtitleWorkDir = workDir.toLocal8Bit().toStdString();
            f.subtitleCustomStyle = chkCustomize->isChecked();
            f.subtitleFontName = fontName.toLocal8Bit().toStdString();
            f.subtitleFontSize = fontSize();
            f.subtitleColor = packed;
            f.subtitleHorSpace = sliderHorSpace->value();
            f.subtitleVerSpace = sliderVerSpace->value();
        });
        return;
    }
    // The field is cleared before the message is shown: the preview keeps
    // running behind the message and must not try the same file again.
    // Whatever subtitle the preview showed before goes too.
    removeSubtitle();
    editPath->setEditText(QString());
    chkEnable->setChecked(false);
    if (dialog())
        dialog()->showMessage(tr("Error"), tr("incorrect subtitle file!"));
}

void VideoEditTabSubtitle::load()
{
    const VideoInfo *r = record();
    setLoading(true);
    chkEnable->setChecked(r->subtitleEnabled);
    chkCustomize->setChecked(r->subtitleCustomize);
    editPath->setEditText(r->subtitleFile);
    loadStyle(r->subtitleFontName, r->subtitleColor, r->subtitleFontSize, r->subtitleFontStyle);
    loadPairs(r->subtitleAlpha, r->subtitleHorSpace, r->subtitleVerSpace, r->width, r->height);
    setLoading(false);
    SetFilter();
    onEnableSubtitleStateChanged(chkEnable->checkState());
}

void VideoEditTabSubtitle::apply()
{
    VideoInfo *r = record();
    bool changed = false;
    const auto store = [&changed](auto &field, const auto &value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    if (r->subtitleColor != color()) {
        r->subtitleColor = color();
        r->subtitleColorName = OverlayRules::colorName(color());
        changed = true;
    }
    store(r->subtitleFontName, cbFont->currentText());
    store(r->subtitleCustomize, chkCustomize->isChecked());
    store(r->subtitleEnabled, chkEnable->isChecked());
    store(r->subtitleHorSpace, sliderHorSpace->value());
    store(r->subtitleVerSpace, sliderVerSpace->value());
    store(r->subtitleFontSize, fontSize());
    store(r->subtitleFile, path());
    store(r->subtitleFontStyle, cbStyle->currentData().toInt());
    store(r->subtitleAlpha, alpha());
    if (changed)
        r->subtitleChanged = true;
}
