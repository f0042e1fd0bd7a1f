<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
    <message>
        <source>Corvane Reelmax 4.6.2</source>
        <translation>Corvane Reelmax 4.6.2</translation>
    </message>
    <message>
        <source>CorVane Software co., ltd</source>
        <translation>CorVane Software 有限公司</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>AdvancedDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>配置文件：</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>编码器：</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率：</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>比特率：</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>帧率：</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>采样率：</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>声道：</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>分割</translation>
    </message>
    <message>
        <source>Split Size:</source>
        <translation>按大小：</translation>
    </message>
    <message>
        <source>Split Time</source>
        <translation>按时长</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Fit with black bars</source>
        <translation>适应（加黑边）</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>拉伸</translation>
    </message>
    <message>
        <source>Crop to fill</source>
        <translation>裁剪填满</translation>
    </message>
    <message>
        <source>When the picture&apos;s shape differs from the frame size: keep the whole picture with black bars, stretch it to the frame, or fill the frame and cut the rest</source>
        <translation>画面比例与输出尺寸不同时：保留完整画面并加黑边、拉伸至画面尺寸，或填满画面并裁掉多余部分</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>画面比例：</translation>
    </message>
</context>
<context>
    <name>BurningDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Burn CD</source>
        <translation>刻录光盘</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>(CD 1X=176.4kb/sec)</source>
        <translation>(CD 1X=176.4kb/秒)</translation>
    </message>
    <message>
        <source>Disc Ladel:</source>
        <translation>光盘标签：</translation>
    </message>
    <message>
        <source>Start Burning</source>
        <translation>开始刻录</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>DVD image file (.iso)…</source>
        <translation>DVD 映像文件 (.iso)…</translation>
    </message>
    <message>
        <source>Save DVD Image</source>
        <translation>保存 DVD 映像</translation>
    </message>
    <message>
        <source>DVD images (*.iso)</source>
        <translation>DVD 映像 (*.iso)</translation>
    </message>
</context>
<context>
    <name>BurningProgressDlg</name>
    <message>
        <source>BurningProgressDlg</source>
        <translation>刻录进度</translation>
    </message>
    <message>
        <source>Burnning In Progress</source>
        <translation>正在刻录</translation>
    </message>
    <message>
        <source>Creating ISO:</source>
        <translation>创建 ISO：</translation>
    </message>
    <message>
        <source>Burning To Disc:</source>
        <translation>刻录到光盘：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>burn Failed</source>
        <translation>刻录失败</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>burn success</source>
        <translation>刻录成功</translation>
    </message>
</context>
<context>
    <name>CEventHandler</name>
    <message>
        <source>All Supported Formats</source>
        <translation>所有支持的格式</translation>
    </message>
    <message>
        <source>Apple Video files</source>
        <translation>Apple 视频文件</translation>
    </message>
    <message>
        <source>Apple Music files</source>
        <translation>Apple 音乐文件</translation>
    </message>
    <message>
        <source>Audible Audio</source>
        <translation>Audible 音频</translation>
    </message>
    <message>
        <source>Audible Enhanced Format</source>
        <translation>Audible 增强格式</translation>
    </message>
    <message>
        <source>Adaptive Multi-Rate file</source>
        <translation>AMR 自适应多速率文件</translation>
    </message>
    <message>
        <source>MOD File</source>
        <translation>MOD 文件</translation>
    </message>
    <message>
        <source>TOD File</source>
        <translation>TOD 文件</translation>
    </message>
    <message>
        <source>High-definition files</source>
        <translation>高清文件</translation>
    </message>
    <message>
        <source>AVI Video files</source>
        <translation>AVI 视频文件</translation>
    </message>
    <message>
        <source>MPEG4 files</source>
        <translation>MPEG-4 文件</translation>
    </message>
    <message>
        <source>MPEG files</source>
        <translation>MPEG 文件</translation>
    </message>
    <message>
        <source>DPG files</source>
        <translation>DPG 文件</translation>
    </message>
    <message>
        <source>3GP files</source>
        <translation>3GP 文件</translation>
    </message>
    <message>
        <source>Windows Media Video</source>
        <translation>Windows Media 视频</translation>
    </message>
    <message>
        <source>Real Media files</source>
        <translation>Real Media 文件</translation>
    </message>
    <message>
        <source>Video CD files</source>
        <translation>VCD 文件</translation>
    </message>
    <message>
        <source>Quick Time files</source>
        <translation>QuickTime 文件</translation>
    </message>
    <message>
        <source>Flash Video files</source>
        <translation>Flash 视频文件</translation>
    </message>
    <message>
        <source>MKV files</source>
        <translation>MKV 文件</translation>
    </message>
    <message>
        <source>Digital Video Files</source>
        <translation>DV 数字视频文件</translation>
    </message>
    <message>
        <source>Microsoft Digital Video Recorder</source>
        <translation>Microsoft 数字视频录像</translation>
    </message>
    <message>
        <source>NUT Files</source>
        <translation>NUT 文件</translation>
    </message>
    <message>
        <source>Raw h.264 Video Files</source>
        <translation>H.264 原始视频文件</translation>
    </message>
    <message>
        <source>Nullsoft Stream Video</source>
        <translation>Nullsoft 流视频</translation>
    </message>
    <message>
        <source>Unprotected VOB File</source>
        <translation>无保护的 VOB 文件</translation>
    </message>
    <message>
        <source>Gif File</source>
        <translation>GIF 文件</translation>
    </message>
    <message>
        <source>MPEG Audio Files</source>
        <translation>MPEG 音频文件</translation>
    </message>
    <message>
        <source>Windows Media Audio File</source>
        <translation>Windows Media 音频文件</translation>
    </message>
    <message>
        <source>Advanced Audio Coding File</source>
        <translation>AAC 高级音频编码文件</translation>
    </message>
    <message>
        <source>Audio Code 3 File</source>
        <translation>AC-3 音频文件</translation>
    </message>
    <message>
        <source>Matroska Audio File</source>
        <translation>Matroska 音频文件</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio File</source>
        <translation>OGG Vorbis 音频文件</translation>
    </message>
    <message>
        <source>Audio Interleave File Formats</source>
        <translation>AIFF 音频文件</translation>
    </message>
    <message>
        <source>Real Audio Files</source>
        <translation>RealAudio 文件</translation>
    </message>
    <message>
        <source>Tivo File</source>
        <translation>TiVo 文件</translation>
    </message>
    <message>
        <source>Lossless Audio Files</source>
        <translation>无损音频文件</translation>
    </message>
    <message>
        <source>WEBM Files</source>
        <translation>WebM 文件</translation>
    </message>
    <message>
        <source>Show Window</source>
        <translation>显示窗口</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Open Video Files</source>
        <translation>打开视频文件</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Convert In Progress. Files could not be removed until convert finished.</source>
        <translation>正在转换。转换完成之前无法删除文件。</translation>
    </message>
    <message>
        <source>Name:%1
Duration:%2
Resolution:%3×%4
Bit Rate:%5 kbps
Frame Rate:%6
Sample Rate:%7
Bit Rate:%8 kbps
Channel:%9 Channel
</source>
        <translation>名称：%1
时长：%2
分辨率：%3×%4
比特率：%5 kbps
帧率：%6
采样率：%7
比特率：%8 kbps
声道：%9 声道
</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Corvane Reelmax is updated with the other programs of your system. Please use your distribution&apos;s package manager (for example &quot;apt update &amp;&amp; apt upgrade&quot;) to look for a newer version.</source>
        <translation>Corvane Reelmax 随系统中的其他程序一起更新。请使用发行版的软件包管理器（例如 &quot;apt update &amp;&amp; apt upgrade&quot;）查找新版本。</translation>
    </message>
</context>
<context>
    <name>ConversionRun</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Convert is in progress.</source>
        <translation>正在转换。</translation>
    </message>
    <message>
        <source>Please Select a format first.</source>
        <translation>请先选择格式。</translation>
    </message>
    <message>
        <source>Please Add File First.</source>
        <translation>请先添加文件。</translation>
    </message>
    <message>
        <source>Please add at least two files to merge.</source>
        <translation>合并至少需要添加两个文件。</translation>
    </message>
    <message>
        <source>Please Select a File First.</source>
        <translation>请先选择文件。</translation>
    </message>
    <message>
        <source>Please select a output directory first.</source>
        <translation>请先选择输出文件夹。</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be created. Please choose another one.</source>
        <translation>无法创建输出文件夹“%1”。请选择其他文件夹。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder. Please choose another output folder.</source>
        <translation>“%1”不是文件夹。请选择其他输出文件夹。</translation>
    </message>
    <message>
        <source>The output folder &quot;%1&quot; cannot be written. Please choose another one.</source>
        <translation>无法写入输出文件夹“%1”。请选择其他文件夹。</translation>
    </message>
    <message>
        <source>no file to convert</source>
        <translation>没有要转换的文件</translation>
    </message>
    <message>
        <source>no output file name</source>
        <translation>没有输出文件名</translation>
    </message>
    <message>
        <source>a merge needs at least two files</source>
        <translation>合并至少需要两个文件</translation>
    </message>
    <message>
        <source>%1 was not written</source>
        <translation>未写入 %1</translation>
    </message>
    <message>
        <source>the conversion failed without a reason</source>
        <translation>转换失败，原因不明</translation>
    </message>
    <message>
        <source>the conversion ended without a result</source>
        <translation>转换结束，但没有结果</translation>
    </message>
    <message>
        <source>Convert Finished</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>Convert Finished.</source>
        <translation>转换已完成。</translation>
    </message>
    <message>
        <source>Merge Aborted</source>
        <translation>合并已中止</translation>
    </message>
    <message>
        <source>Convert Aborted</source>
        <translation>转换已中止</translation>
    </message>
    <message>
        <source>Merge Aborted.</source>
        <translation>合并已中止。</translation>
    </message>
    <message>
        <source>Convert Aborted.</source>
        <translation>转换已中止。</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>合并失败</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>Merge Failed.</source>
        <translation>合并失败。</translation>
    </message>
    <message>
        <source>Convert Failed.</source>
        <translation>转换失败。</translation>
    </message>
    <message>
        <source>Converted: %1 of %2 files.</source>
        <translation>已转换：%1 / %2 个文件。</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>Not converted (stopped): %1</source>
        <translation>未转换（已停止）：%1</translation>
    </message>
</context>
<context>
    <name>ConvertCompletedDlg</name>
    <message>
        <source>Completed</source>
        <translation>已完成</translation>
    </message>
    <message>
        <source>Conversion is completed!</source>
        <translation>转换已完成！</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Burn to Disc</source>
        <translation>刻录到光盘</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CustomizeDialog</name>
    <message>
        <source>Customize Profile</source>
        <translation>自定义配置文件</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Check All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Uncheck All</source>
        <translation>全不选</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please check at least one profile: the profile menu cannot be empty.</source>
        <translation>请至少勾选一个配置：配置菜单不能为空。</translation>
    </message>
</context>
<context>
    <name>DownloadDlg</name>
    <message>
        <source>Download Video</source>
        <translation>下载视频</translation>
    </message>
    <message>
        <source>Video Address:</source>
        <translation>视频地址：</translation>
    </message>
    <message>
        <source>Address of the page that plays the video</source>
        <translation>播放该视频的网页地址</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Download File failed</source>
        <translation>文件下载失败</translation>
    </message>
    <message>
        <source>The page cannot be shown here (%1); the video is still saved.</source>
        <translation>此处无法显示该页面（%1）；视频仍会保存。</translation>
    </message>
</context>
<context>
    <name>DvdBurnJob</name>
    <message>
        <source>The disc could not be made.</source>
        <translation>无法制作光盘。</translation>
    </message>
</context>
<context>
    <name>EditorColorCombo</name>
    <message>
        <source>Customize</source>
        <translation>自定义...</translation>
    </message>
</context>
<context>
    <name>EditorDialog</name>
    <message>
        <source>Edit Video</source>
        <translation>编辑视频</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Mirror:</source>
        <translation>镜像：</translation>
    </message>
    <message>
        <source>Mirror left to right</source>
        <translation>左右镜像</translation>
    </message>
    <message>
        <source>Mirror top to bottom</source>
        <translation>上下镜像</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>水印</translation>
    </message>
    <message>
        <source>warnning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>所选文件不是有效的视频文件。</translation>
    </message>
</context>
<context>
    <name>FileInfoDialog</name>
    <message>
        <source>File Information</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>Detailed information</source>
        <translation>详细信息</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>LoadVideoFilesProgressDialog</name>
    <message>
        <source>Loading</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>Loading In Progress...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>loaded file:%1</source>
        <translation>已加载文件：%1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>%1 is not a valid multi-media file.</source>
        <translation>%1 不是有效的多媒体文件。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
</context>
<context>
    <name>ProfileDisplay</name>
    <message>
        <source>Keep Original</source>
        <translation>保持原始</translation>
    </message>
    <message>
        <source>Keep original</source>
        <translation>保持原始</translation>
    </message>
    <message>
        <source>%1 Channel Mono</source>
        <translation>%1 声道 单声道</translation>
    </message>
    <message>
        <source>%1 Channels Stereo</source>
        <translation>%1 声道 立体声</translation>
    </message>
    <message>
        <source>%1 Channels</source>
        <translation>%1 声道</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>These files of the last session are gone or can no longer be read, and were left out of the list:

%1</source>
        <translation>上次会话中的以下文件已不存在或无法读取，未加入列表：

%1</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Processing</source>
        <translation>处理</translation>
    </message>
    <message>
        <source>Reset Default</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>输出文件夹：</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>快照</translation>
    </message>
    <message>
        <source>Default Format</source>
        <translation>默认格式</translation>
    </message>
    <message>
        <source>Snapshot Folder:</source>
        <translation>快照文件夹：</translation>
    </message>
    <message>
        <source>Temp Directory</source>
        <translation>临时文件夹</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>CPU Core</source>
        <translation>CPU 核心</translation>
    </message>
    <message>
        <source>Customize CPU core number:</source>
        <translation>自定义 CPU 核心数：</translation>
    </message>
    <message>
        <source>GPU</source>
        <translation>GPU</translation>
    </message>
    <message>
        <source>Use GPU encoding</source>
        <translation>使用 GPU 编码</translation>
    </message>
    <message>
        <source>Browse Folder</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Convert Output Directory not exist.</source>
        <translation>输出文件夹不存在。</translation>
    </message>
    <message>
        <source>Snapshot Directory not exist.</source>
        <translation>快照文件夹不存在。</translation>
    </message>
    <message>
        <source>Temp Directory not exist.</source>
        <translation>临时文件夹不存在。</translation>
    </message>
    <message>
        <source>Please restart application to apply settings.</source>
        <translation>请重新启动程序以应用设置。</translation>
    </message>
</context>
<context>
    <name>VideoConvertWidget</name>
    <message>
        <source>Profile:</source>
        <translation>配置文件：</translation>
    </message>
    <message>
        <source>Edit Profile</source>
        <translation>编辑配置文件</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>输出：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Output To Itunes</source>
        <translation>输出到 iTunes</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>time cost:</source>
        <translation>用时：</translation>
    </message>
    <message>
        <source>Start Convert</source>
        <translation>开始转换</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Convert is in progress, stop it?</source>
        <translation>正在转换，是否停止？</translation>
    </message>
    <message>
        <source>Stop Convert</source>
        <translation>停止转换</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Please select a profile first.</source>
        <translation>请先选择配置文件。</translation>
    </message>
    <message>
        <source>Select Output Directory</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>Convert the selected file (or merge the list into one file)</source>
        <translation>转换所选文件（或将列表合并为一个文件）</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>全部转换</translation>
    </message>
    <message>
        <source>Convert every file of the list, each into its own output file</source>
        <translation>转换列表中的每个文件，各自输出为单独的文件</translation>
    </message>
    <message>
        <source>Converting %1 (%2 of %3 done)</source>
        <translation>正在转换 %1（已完成 %2 / %3）</translation>
    </message>
    <message>
        <source>Converting %1</source>
        <translation>正在转换 %1</translation>
    </message>
</context>
<context>
    <name>VideoEditTabCrop</name>
    <message>
        <source>Keep Original</source>
        <translation>保持原始</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>16:9</source>
        <translation>16:9</translation>
    </message>
    <message>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <source>Keep Aspect Ratio</source>
        <translation>保持宽高比</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>缩放：</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>左：</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>上：</translation>
    </message>
    <message>
        <source>Cropped Area Size:</source>
        <translation>裁剪区域大小：</translation>
    </message>
    <message>
        <source>Tip:</source>
        <translation>提示：</translation>
    </message>
    <message>
        <source>Ctrl+Arrow key: Adjust the crop area location; Shift+Arrow key:Zoom the crop area.</source>
        <translation>Ctrl+方向键：调整裁剪区域位置；Shift+方向键：缩放裁剪区域。</translation>
    </message>
</context>
<context>
    <name>VideoEditTabEffect</name>
    <message>
        <source>No Effect</source>
        <translation>无效果</translation>
    </message>
    <message>
        <source>Deshake</source>
        <translation>防抖</translation>
    </message>
    <message>
        <source>Sharp</source>
        <translation>锐化</translation>
    </message>
    <message>
        <source>Blur</source>
        <translation>模糊</translation>
    </message>
    <message>
        <source>Negate</source>
        <translation>负片</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Repeat Odd Field</source>
        <translation>重复奇场</translation>
    </message>
    <message>
        <source>Repeat Even Field</source>
        <translation>重复偶场</translation>
    </message>
    <message>
        <source>Odd Interpolate</source>
        <translation>奇场插值</translation>
    </message>
    <message>
        <source>Even Interpolate</source>
        <translation>偶场插值</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Deinterlacing</source>
        <translation>去隔行</translation>
    </message>
    <message>
        <source>Brigtness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>音量放大</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
</context>
<context>
    <name>VideoEditTabOverlay</name>
    <message>
        <source>Regular</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>样式</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>透明度：</translation>
    </message>
    <message>
        <source>Horizontal Space:</source>
        <translation>水平间距：</translation>
    </message>
    <message>
        <source>Vertical Space:</source>
        <translation>垂直间距：</translation>
    </message>
</context>
<context>
    <name>VideoEditTabSubtitle</name>
    <message>
        <source>Enable the plug-in subtitle</source>
        <translation>启用外挂字幕</translation>
    </message>
    <message>
        <source>Enable customized style</source>
        <translation>启用自定义样式</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>subtitle files(*.srt *.ass *.ssa)</source>
        <translation>字幕文件 (*.srt *.ass *.ssa)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>incorrect subtitle file!</source>
        <translation>字幕文件无效！</translation>
    </message>
</context>
<context>
    <name>VideoEditTabWatermark</name>
    <message>
        <source>All Images</source>
        <translation>所有图像</translation>
    </message>
    <message>
        <source>Tag Image File Format</source>
        <translation>TIFF 图像</translation>
    </message>
    <message>
        <source>GIF compuServce GIF</source>
        <translation>CompuServe GIF 图像</translation>
    </message>
    <message>
        <source>Portable Network Graphics</source>
        <translation>PNG 图像</translation>
    </message>
    <message>
        <source>JPEG Image File</source>
        <translation>JPEG 图像</translation>
    </message>
    <message>
        <source>Bitmaps</source>
        <translation>位图</translation>
    </message>
    <message>
        <source>Icons</source>
        <translation>图标</translation>
    </message>
    <message>
        <source>Enhanced Metafiles</source>
        <translation>增强型图元文件</translation>
    </message>
    <message>
        <source>Metafiles</source>
        <translation>图元文件</translation>
    </message>
    <message>
        <source>Starup Watermark</source>
        <translation>启用水印</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>图片水印</translation>
    </message>
    <message>
        <source>Text Waterwark</source>
        <translation>文字水印</translation>
    </message>
    <message>
        <source>Select Image Files</source>
        <translation>选择图像文件</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>图像：</translation>
    </message>
    <message>
        <source>Image Size:</source>
        <translation>图像大小：</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字：</translation>
    </message>
</context>
<context>
    <name>VideoListModel</name>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>时长</translation>
    </message>
</context>
<context>
    <name>VideoListPopupMenu</name>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Edit Effect</source>
        <translation>编辑效果</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
</context>
<context>
    <name>VideoMenuBarWidget</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>添加文件</translation>
    </message>
    <message>
        <source>Download Video</source>
        <translation>下载视频</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>添加文件夹</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Video Edit</source>
        <translation>视频编辑</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Merge Into One File</source>
        <translation>合并为一个文件</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>工具</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Customize Profile</source>
        <translation>自定义配置文件</translation>
    </message>
    <message>
        <source>Open Output Directory</source>
        <translation>打开输出文件夹</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Post Task Actions</source>
        <translation>任务完成后</translation>
    </message>
    <message>
        <source>Do Nothing</source>
        <translation>不执行操作</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>Shutdown Computer</source>
        <translation>关闭计算机</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>在线帮助</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>技术支持</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Product Page</source>
        <translation>产品主页</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>全部转换</translation>
    </message>
</context>
<context>
    <name>VideoPlayerWidget</name>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后退</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>快照</translation>
    </message>
    <message>
        <source>More</source>
        <translation>更多</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Open Snapshot Folder</source>
        <translation>打开快照文件夹</translation>
    </message>
    <message>
        <source>Change Snapshot Folder</source>
        <translation>更改快照文件夹</translation>
    </message>
    <message>
        <source>Snapshot Format</source>
        <translation>快照格式</translation>
    </message>
    <message>
        <source>JPEG</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>warnning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>所选文件不是有效的视频文件。</translation>
    </message>
    <message>
        <source>The snapshot folder &quot;%1&quot; cannot be created. Please choose another one (More &gt; Change Snapshot Folder).</source>
        <translation>无法创建快照文件夹 &quot;%1&quot;。请另选一个（更多 &gt; 更改快照文件夹）。</translation>
    </message>
    <message>
        <source>The snapshot folder &quot;%1&quot; cannot be written. Please choose another one (More &gt; Change Snapshot Folder).</source>
        <translation>无法写入快照文件夹 &quot;%1&quot;。请另选一个（更多 &gt; 更改快照文件夹）。</translation>
    </message>
    <message>
        <source>The snapshot could not be saved as &quot;%1&quot;.</source>
        <translation>无法将快照保存为 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>Snapshot Failed</source>
        <translation>快照失败</translation>
    </message>
</context>
<context>
    <name>VideoProfileMenuWidget</name>
    <message>
        <source>Customize</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Add to Favourites</source>
        <translation>加入收藏夹</translation>
    </message>
    <message>
        <source>Remove from Favourites</source>
        <translation>从收藏夹移除</translation>
    </message>
</context>
<context>
    <name>VideoProfileUserConfig</name>
    <message>
        <source>Recent</source>
        <translation>最近使用</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>收藏夹</translation>
    </message>
    <message>
        <source>DVD</source>
        <translation>DVD</translation>
    </message>
    <message>
        <source>Common Video</source>
        <translation>常用视频</translation>
    </message>
    <message>
        <source>Common Audio</source>
        <translation>常用音频</translation>
    </message>
    <message>
        <source>HD Video</source>
        <translation>高清视频</translation>
    </message>
    <message>
        <source>3D Video</source>
        <translation>3D 视频</translation>
    </message>
    <message>
        <source>Online Video</source>
        <translation>在线视频</translation>
    </message>
    <message>
        <source>Apple</source>
        <translation>苹果</translation>
    </message>
    <message>
        <source>HTC</source>
        <translation>HTC</translation>
    </message>
    <message>
        <source>Motorola</source>
        <translation>摩托罗拉</translation>
    </message>
    <message>
        <source>Nokia</source>
        <translation>诺基亚</translation>
    </message>
    <message>
        <source>LG</source>
        <translation>LG</translation>
    </message>
    <message>
        <source>BlackBerry</source>
        <translation>黑莓</translation>
    </message>
    <message>
        <source>Samsung</source>
        <translation>三星</translation>
    </message>
    <message>
        <source>Sony Ericsson</source>
        <translation>索尼爱立信</translation>
    </message>
    <message>
        <source>Game Hardware</source>
        <translation>游戏机</translation>
    </message>
    <message>
        <source>Mobile Phones</source>
        <translation>手机</translation>
    </message>
    <message>
        <source>Microsoft Zune</source>
        <translation>微软 Zune</translation>
    </message>
    <message>
        <source>Creative ZEN</source>
        <translation>创新 ZEN</translation>
    </message>
    <message>
        <source>Archos</source>
        <translation>爱可视</translation>
    </message>
    <message>
        <source>Sandisk Sansa</source>
        <translation>闪迪 Sansa</translation>
    </message>
    <message>
        <source>Media Players</source>
        <translation>媒体播放器</translation>
    </message>
</context>
<context>
    <name>VideoRenameDlg</name>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>new name:</source>
        <translation>新名称：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>VideoTitleBarWidget</name>
    <message>
        <source>Corvane Reelmax</source>
        <translation>Corvane Reelmax</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>VideoToolBarWidget</name>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Clip</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>添加文件...</translation>
    </message>
    <message>
        <source>Add Folder...</source>
        <translation>添加文件夹...</translation>
    </message>
    <message>
        <source>Add video or audio files to the list</source>
        <translation>将视频或音频文件添加到列表</translation>
    </message>
    <message>
        <source>Add a folder, or a recently opened file</source>
        <translation>添加文件夹或最近打开的文件</translation>
    </message>
    <message>
        <source>Capture the video a web page plays</source>
        <translation>捕获网页中播放的视频</translation>
    </message>
    <message>
        <source>Remove the selected files from the list</source>
        <translation>从列表中删除所选文件</translation>
    </message>
    <message>
        <source>Edit the selected file: crop, effects, subtitles, watermark</source>
        <translation>编辑所选文件：裁剪、效果、字幕、水印</translation>
    </message>
    <message>
        <source>Cut sections out of the selected file</source>
        <translation>从所选文件中剪取片段</translation>
    </message>
    <message>
        <source>Join all files of the list into one output file</source>
        <translation>将列表中的所有文件合并为一个输出文件</translation>
    </message>
    <message>
        <source>Play the selected file in the preview</source>
        <translation>在预览中播放所选文件</translation>
    </message>
    <message>
        <source>Pause the preview</source>
        <translation>暂停预览</translation>
    </message>
    <message>
        <source>Stop the preview</source>
        <translation>停止预览</translation>
    </message>
</context>
<context>
    <name>VideoTrimDialog</name>
    <message>
        <source>Clip</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>播放/暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Forward one twentieth</source>
        <translation>前进二十分之一</translation>
    </message>
    <message>
        <source>Play Section</source>
        <translation>播放片段</translation>
    </message>
    <message>
        <source>Play from the start of the section</source>
        <translation>从片段开头播放</translation>
    </message>
    <message>
        <source>Set Start</source>
        <translation>设为起点</translation>
    </message>
    <message>
        <source>Start the clip here</source>
        <translation>从此处开始剪切</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>设为终点</translation>
    </message>
    <message>
        <source>End the clip here</source>
        <translation>在此处结束剪切</translation>
    </message>
    <message>
        <source>Add the section to the clips</source>
        <translation>将此片段添加到剪切列表</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>全部清除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>warnning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>selected video file is not a valid video file.</source>
        <translation>所选文件不是有效的视频文件。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The clip is empty: set its end after its start.</source>
        <translation>片段为空：请将终点设在起点之后。</translation>
    </message>
</context>
<context>
    <name>VideoTrimDialogSectionChooser</name>
    <message>
        <source>Drag to the start</source>
        <translation>拖动到起点</translation>
    </message>
    <message>
        <source>Drag to the end</source>
        <translation>拖动到终点</translation>
    </message>
</context>
<context>
    <name>WelcomeWidget</name>
    <message>
        <source>Drag and drop your file here or</source>
        <translation>将文件拖放到此处，或</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>添加文件</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>添加文件夹</translation>
    </message>
    <message>
        <source>Click </source>
        <translation>点击 </translation>
    </message>
    <message>
        <source> or </source>
        <translation> 或 </translation>
    </message>
    <message>
        <source> to start. </source>
        <translation> 开始。</translation>
    </message>
</context>
</TS>
