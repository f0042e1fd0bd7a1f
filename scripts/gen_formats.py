#!/usr/bin/env python3
"""Generates the built-in profile database and the default user profile
configuration from the tables below.

    res/Format.dat   the 214 profiles (XML, UTF-8, CR LF)
    res/Profile.dat  the 25 categories (shipped, not read by the program)
    res/upc.xml      the default user profile configuration

Run from anywhere: python3 scripts/gen_formats.py
Python standard library only.  The output is deterministic.
"""

import os
import sys
from xml.sax.saxutils import escape, quoteattr

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# ---------------------------------------------------------------------------
# Categories: id, title, type, icon, class, BackColor, FontColor, skip
CATEGORIES = [
    ("1000", "Recent", "recent", "MenuRecent", "Custom", "$000D3A64", "clWhite", ""),
    ("1001", "My Favourites", "custom", "MenuUserDefined", "Custom", "$00A4A5A2", "clWhite", ""),
    ("1003", "DVD", "", "MenuBurnDVD", "DVD", "$00456100", "clWhite", "True"),
    ("1", "Common Video", "", "MenuCommonVideo", "Format", "$005A083A", "clWhite", "True"),
    ("2", "Common Audio", "", "MenuCommonAudio", "Format", "$005A083A", "clWhite", "True"),
    ("3", "HD Video", "", "MenuHDVideo", "Format", "$005A083A", "clWhite", "True"),
    ("21", "3D Video", "", "Menu3DVideo", "Format", "$005A083A", "clWhite", "True"),
    ("4", "Online Video", "", "MenuOnlineVideo", "Format", "$005A083A", "clWhite", "True"),
    ("5", "Apple", "", "MenuApple", "Device", "$00110337", "clWhite", ""),
    ("6", "HTC", "", "MenuHTC", "Device", "$00110337", "clWhite", "True"),
    ("7", "Motorola", "", "MenuMotorola", "Device", "$00110337", "clWhite", "True"),
    ("8", "Nokia", "", "MenuNokia", "Device", "$00110337", "clWhite", "True"),
    ("18", "LG", "", "MenuLG", "Device", "$00110337", "clWhite", "True"),
    ("9", "BlackBerry", "", "MenuBlackBerry", "Device", "$00110337", "clWhite", "True"),
    ("19", "Samsung", "", "MenuSamsung", "Device", "$00110337", "clWhite", "True"),
    ("20", "Sony Ericsson", "", "MenuSonyEricsson", "Device", "$00110337", "clWhite", "True"),
    ("10", "Game Hardware", "", "MenuGameHardware", "Device", "$00110337", "clWhite", "True"),
    ("12", "Mobile Phones", "", "MenuWindowsMobile", "Device", "$00110337", "clWhite", "True"),
    ("11", "Microsoft Zune", "", "MenuZune", "Device", "$00110337", "clWhite", "True"),
    ("14", "Creative ZEN", "", "MenuZEN", "Device", "$00110337", "clWhite", "True"),
    ("13", "Archos", "", "MenuArchos", "Device", "$00110337", "clWhite", "True"),
    ("15", "Sandisk Sansa", "", "MenuSansa", "Device", "$00110337", "clWhite", "True"),
    ("16", "Media Players", "", "MenuMediaPlayer", "Device", "$00110337", "clWhite", "True"),
    ("17", "Get More Profiles", "more", "MenuGetMoreProfile", "Device", "$00110337", "$0002AE02", ""),
    ("1002", "All Profiles", "all", "MenuAllProfiles", "Shortcut", "clNone", "clWhite", "True"),
]

# Order of the category groups inside Format.dat.
GROUP_ORDER = ["1", "1003", "3", "2", "10", "11", "15", "13", "14", "5", "7", "12", "6", "9", "8", "4",
               "16", "18", "19", "20", "21"]

# ---------------------------------------------------------------------------
# Option list vocabularies (display units).
RES_GENERIC = "240*160,320*240,480*272,480*320,480*368,512*384,640*480,720*480,768*576,1280*720,1920*1080"
FPS_GENERIC = "Keep original,12 fps,15 fps,20 fps,23.97 fps,24 fps,25 fps,29.97 fps,30 fps"
VBR_GENERIC = ("256 kbps,384 kbps,512 kbps,640 kbps,768 kbps,900 kbps,1200 kbps,1500 kbps,2000 kbps,"
               "2500 kbps,3000 kbps,4000 kbps,5000 kbps,6000 kbps,8000 kbps,10000 kbps")
ABR_GENERIC = "64 kbps,96 kbps,128 kbps,192 kbps"
SR_GENERIC = "22050 Hz,32000 Hz,44100 Hz,48000 Hz"
CH_STEREO = "1 Channel Mono,2 Channels Stereo"
CH_SURROUND = "1 Channel Mono,2 Channels Stereo,6 Channels"

SIZES = [(128, 96), (176, 144), (220, 176), (224, 176), (320, 240), (352, 288), (400, 240), (480, 272),
         (480, 320), (640, 360), (640, 480), (720, 480), (720, 576), (800, 480), (854, 480), (960, 540),
         (960, 640), (1024, 600), (1024, 768), (1280, 720), (1280, 800), (1920, 1080)]
FPS_STEPS = [(12000, "12 fps"), (15000, "15 fps"), (18000, "18 fps"), (20000, "20 fps"),
             (23970, "23.97 fps"), (24000, "24 fps"), (25000, "25 fps"), (29970, "29.97 fps"),
             (30000, "30 fps")]
VBR_STEPS = [128, 192, 256, 384, 512, 640, 768, 900, 1000, 1200, 1500, 2000, 2500, 3000, 4000, 5000, 6000, 8000,
             10000, 12000, 15000]
ABR_STEPS = [32, 48, 64, 96, 128, 160, 192, 256, 320]


def res_list(w, h, h263=False):
    """The sizes a device plays: standard sizes up to its default size."""
    if h263:
        return ",".join("%d*%d" % s for s in [(128, 96), (176, 144), (352, 288)] if s[0] <= max(w, 352))
    items = [s for s in SIZES if s[0] <= w and s[1] <= h and s[0] >= 176]
    if (w, h) not in items:
        items.append((w, h))
    items.sort()
    return ",".join("%d*%d" % s for s in items)


def fps_list(fps):
    top = max(fps, 15000)
    return ",".join(t for v, t in FPS_STEPS if v <= top and v != 18000 or v == fps)


def vbr_list(vbr, top=None):
    top = max(vbr // 1000, top or 0)
    items = [v for v in VBR_STEPS if v <= top and v >= min(256, vbr // 1000)]
    if vbr // 1000 not in items:
        items.append(vbr // 1000)
        items.sort()
    return ",".join("%d kbps" % v for v in items)


def abr_list(abr, top=192):
    items = [v for v in ABR_STEPS if 64 <= v <= max(top, abr // 1000)]
    if abr // 1000 not in items:
        items.append(abr // 1000)
        items.sort()
    return ",".join("%d kbps" % v for v in items)


# Audio encoder name -> (sample rate list, audio encoder list) for device profiles.
AUDIO_LISTS = {
    "libvo_aacenc": (SR_GENERIC, "libvo_aacenc"),
    "mp3": ("22050 Hz,44100 Hz,48000 Hz", "mp3"),
    "wmav1": (SR_GENERIC, "wmav1,wmav2"),
    "wmav2": (SR_GENERIC, "wmav2,wmav1"),
    "adpcm_ms": ("22050 Hz,44100 Hz", "adpcm_ms,mp3"),
    "pcm_s16le": ("32000 Hz,44100 Hz,48000 Hz", "pcm_s16le"),
    "adpcm_ima_smjpeg": ("22050 Hz,32000 Hz", "adpcm_ima_smjpeg"),
    "libxvid": (SR_GENERIC, "libvo_aacenc"),
}
VIDEO_LISTS = {
    "libx264": "libx264,mpeg4",
    "mpeg4": "mpeg4,libx264",
    "m4v": "libx264,m4v",
    "libxvid": "libxvid,mpeg4",
    "wmv1": "wmv1",
    "h263": "h263",
    "mjpeg": "mjpeg",
    "libvo_aacenc": "libxvid,libx264",
}


class P:
    """One profile row."""

    def __init__(self, pid, name, ext, w, h, venc, fps, vbr, aenc, sr, abr, icon, fourcc, desc,
                 ftype="0", d3="0", cuda="0", skip="True", lists=None, formate="0", norm="0"):
        self.id, self.name, self.ext = pid, name, ext
        self.w, self.h, self.venc, self.fps, self.vbr = w, h, venc, fps, vbr
        self.aenc, self.sr, self.abr = aenc, sr, abr
        self.icon, self.fourcc, self.desc = icon, fourcc, desc
        self.ftype, self.d3, self.cuda, self.skip = ftype, d3, cuda, skip
        self.formate, self.norm = formate, norm
        self.lists = lists or {}
        self.cat = None


def dev(pid, name, ext, w, h, venc, fps, vbr, aenc, sr=44100, abr=128000, icon=None, fourcc="IPAN",
        desc=None, brand="", cuda=None, **kw):
    """A device profile with option lists derived from what the device plays."""
    lists = {
        "Resolution": res_list(w, h, h263=(venc == "h263")),
        "FrameRate": fps_list(fps),
        "VideoBitrate": vbr_list(vbr),
        "AudioBitrate": abr_list(abr, 192 if aenc != "adpcm_ms" else 128),
        "SampleRate": AUDIO_LISTS[aenc.strip()][0],
        "Channel": CH_STEREO,
        "VideoEnclist": VIDEO_LISTS.get(venc, venc),
        "AudioEnclist": AUDIO_LISTS[aenc.strip()][1],
    }
    lists.update(kw.pop("lists", {}))
    if icon is None:
        icon = "Icon" + brand + "".join(c for c in name if c.isalnum())
    if desc is None:
        who = (brand + " " + name).strip()
        desc = "Video for %s, %dx%d, %s" % (who, w, h, ext[1:].upper())
    if cuda is None:
        cuda = "-1" if venc == "libx264" else "0"
    return P(pid, name, ext, w, h, venc, fps, vbr, aenc, sr, abr, icon, fourcc, desc, cuda=cuda,
             lists=lists, **kw)


# ---------------------------------------------------------------------------
# Common Video (categoryid 1)
COMMON_VIDEO = [
    P("1000", "ASF", ".asf", 640, 480, "msmpeg4", 0, 1200000, "wmav2", 44100, 128000, "IconAsf", "asf ",
      "Microsoft advanced streaming format,widely used for network broadcast", ftype="2",
      lists={"Resolution": RES_GENERIC, "FrameRate": FPS_GENERIC, "VideoBitrate": VBR_GENERIC,
             "AudioBitrate": ABR_GENERIC, "SampleRate": SR_GENERIC, "Channel": CH_STEREO,
             "VideoEnclist": "msmpeg4", "AudioEnclist": "wmav2,wmav1"}),
    P("1001", "MOV", ".mov", 640, 480, "libx264", 0, 1200000, "libvo_aacenc", 44100, 128000, "IconMov", "MOV ",
      "Apple QuickTime movie format", ftype="2",
      lists={"VideoEnclist": "libx264,mpeg4", "AudioEnclist": "libvo_aacenc,mp3"}),
    P("1002", "M4V", ".m4v", 640, 480, "m264", 0, 1200000, "libvo_aacenc", 44100, 128000, "IconM4v", "M4V ",
      "MPEG-4 video for Apple players and iTunes", ftype="0",
      lists={"VideoEnclist": "m264,mpeg4", "AudioEnclist": "libvo_aacenc"}),
    P("1004", "MP4 Video", ".mp4", 640, 480, "libx264", 0, 1200000, "libvo_aacenc", 44100, 128000, "IconMp4",
      "MP4 ", "MPEG-4 video with H.264 and AAC, widely supported", ftype="2",
      lists={"VideoEnclist": "libx264,mpeg4", "AudioEnclist": "libvo_aacenc,mp3"}),
    P("1005", "WMV", ".wmv", 640, 480, "wmv1", 0, 1200000, "wmv8", 44100, 128000, "IconWmv", "WMV ",
      "Windows Media video", ftype="2", lists={"VideoEnclist": "wmv1,wmv2", "AudioEnclist": "wmav2,wmav1"}),
    P("1006", "MKV", ".mkv", 0, 0, "libx264", 0, 2000000, "mp3", 44100, 128000, "IconMkv", "MKV ",
      "Matroska video, keeps the source picture size", ftype="2",
      lists={"VideoEnclist": "libx264,mpeg4", "AudioEnclist": "mp3,libvo_aacenc,libvorbis"}),
    P("1007", "AVI", ".avi", 640, 480, "mp43", 0, 1200000, "mp3", 44100, 128000, "IconAvi", "AVI ",
      "Audio video interleave, MPEG-4 video", ftype="2",
      lists={"VideoEnclist": "mp43,mpeg4,libxvid", "AudioEnclist": "mp3"}),
    P("1008", "xvid", ".avi", 640, 480, "libxvid", 0, 1200000, "mp3", 44100, 128000, "IconXvid", "XVID",
      "AVI with Xvid video", ftype="2", lists={"VideoEnclist": "libxvid", "AudioEnclist": "mp3"}),
    P("1022", "DIVX", ".avi", 640, 480, "divx", 0, 1200000, "mp3", 44100, 128000, "IconDivx", "DIVX",
      "AVI with DivX compatible video", ftype="2", lists={"VideoEnclist": "divx,libxvid", "AudioEnclist": "mp3"}),
    P("1021", "WEBM", ".webm", 640, 480, "vp8", 0, 1200000, "libvorbis", 44100, 128000, "IconWebm", "WEBM",
      "WebM video for HTML5 browsers", ftype="2", lists={"VideoEnclist": "vp8", "AudioEnclist": "libvorbis"}),
    P("1009", "DV", ".dv", 720, 576, "dvvideo", 25000, 25000000, "pcm_dvd", 48000, 1536000, "IconDv", "DV  ",
      "Digital video for camcorders and editing", ftype="2",
      lists={"Resolution": "720*576", "FrameRate": "25 fps", "VideoBitrate": "25000 kbps",
             "AudioBitrate": "1536 kbps", "SampleRate": "48000 Hz", "Channel": "2 Channels Stereo",
             "VideoEnclist": "dvvideo", "AudioEnclist": "pcm_dvd"}),
    P("1010", "MPEG-1", ".mpg", 352, 288, "mpeg1video", 25000, 1150000, "mp2", 44100, 224000, "IconMpeg1",
      "MPG1", "MPEG-1 video, VCD quality", ftype="2",
      lists={"Resolution": "352*240,352*288", "FrameRate": "23.97 fps,25 fps,29.97 fps",
             "VideoBitrate": "1150 kbps,1500 kbps,2000 kbps", "AudioBitrate": "128 kbps,192 kbps,224 kbps",
             "SampleRate": "44100 Hz,48000 Hz", "VideoEnclist": "mpeg1video", "AudioEnclist": "mp2"}),
    P("1013", "MPEG-2", ".mpg", 720, 576, "mp2v", 25000, 4000000, "mp2", 48000, 224000, "IconMpeg2", "MPG2",
      "MPEG-2 video, DVD quality", ftype="2", formate="3", norm="2",
      lists={"Resolution": "352*288,480*576,720*480,720*576", "FrameRate": "23.97 fps,25 fps,29.97 fps",
             "VideoBitrate": "2000 kbps,3000 kbps,4000 kbps,6000 kbps,8000 kbps",
             "AudioBitrate": "128 kbps,192 kbps,224 kbps,256 kbps", "SampleRate": "44100 Hz,48000 Hz",
             "VideoEnclist": "mp2v", "AudioEnclist": "mp2,ac3"}),
    P("1016", "DVD-Video", ".vob", 720, 576, "mp2v", 25000, 6000000, "mp2", 48000, 224000, "IconVob", "VOB ",
      "DVD video object, plays on DVD players", ftype="2", formate="8", norm="2",
      lists={"Resolution": "720*480,720*576", "FrameRate": "25 fps,29.97 fps",
             "VideoBitrate": "4000 kbps,6000 kbps,8000 kbps", "AudioBitrate": "192 kbps,224 kbps,256 kbps",
             "SampleRate": "48000 Hz", "VideoEnclist": "mp2v", "AudioEnclist": "mp2,ac3"}),
]
# Defaults for the common video lists not given above.
for _p in COMMON_VIDEO:
    _p.lists.setdefault("Resolution", RES_GENERIC)
    _p.lists.setdefault("FrameRate", FPS_GENERIC)
    _p.lists.setdefault("VideoBitrate", VBR_GENERIC)
    _p.lists.setdefault("AudioBitrate", ABR_GENERIC)
    _p.lists.setdefault("SampleRate", SR_GENERIC)
    _p.lists.setdefault("Channel", CH_STEREO)

DVD = [
    P("1023", "DVD", ".mpg", 720, 576, "mpeg2video", 25000, 6000000, "ac3", 48000, 448000, "IconDVD", "BURN",
      "Burn DVD", ftype="2",
      lists={"Resolution": "720*576", "FrameRate": "25 fps", "VideoBitrate": "6000 kbps",
             "AudioBitrate": "448 kbps", "SampleRate": "32000 Hz,44100 Hz,48000 Hz",
             "Channel": "2 Channels Stereo", "VideoEnclist": "mpeg2video", "AudioEnclist": "ac3"}),
]


def audio(pid, name, ext, aenc, sr, abr, fourcc, desc, abrs, srs="22050 Hz,32000 Hz,44100 Hz,48000 Hz",
          encs=None, ch=CH_STEREO):
    return P(pid, name, ext, 0, 0, "", 0, 0, aenc, sr, abr, "Icon" + name.capitalize().replace("-", ""),
             fourcc, desc, ftype="3",
             lists={"Resolution": "", "FrameRate": "", "VideoBitrate": "", "AudioBitrate": abrs,
                    "SampleRate": srs, "Channel": ch, "VideoEnclist": "", "AudioEnclist": encs or aenc.strip()})


ABR_MP3 = "16 kbps,32 kbps,64 kbps,96 kbps,128 kbps,160 kbps,192 kbps,256 kbps,320 kbps,512 kbps"
ABR_AAC = "64 kbps,96 kbps,128 kbps,160 kbps,192 kbps,256 kbps,320 kbps"
COMMON_AUDIO = [
    audio("1200", "MP3", ".mp3", "mp3", 44100, 128000, "MP3 ", "MPEG layer 3 audio, plays everywhere", ABR_MP3,
          srs="44100 Hz,48000 Hz"),
    audio("1201", "M4A", ".m4a", "libvo_aacenc", 44100, 128000, "M4A ", "MPEG-4 audio (AAC)", ABR_AAC),
    audio("1203", "AC3", ".ac3", "ac3", 48000, 192000, "AC3 ", "Dolby Digital audio",
          "96 kbps,128 kbps,192 kbps,256 kbps,384 kbps,448 kbps", srs="32000 Hz,44100 Hz,48000 Hz",
          ch=CH_SURROUND),
    audio("1204", "aac", ".aac", "libvo_aacenc", 44100, 128000, "AAC ", "Advanced audio coding, raw stream",
          ABR_AAC),
    audio("1205", "WMA", ".wma", "wmav1", 44100, 128000, "WMA ", "Windows Media audio",
          "64 kbps,96 kbps,128 kbps,160 kbps,192 kbps", encs="wmav1,wmav2"),
    audio("1206", "WAV", ".wav", "pcm_s16le", 44100, 1411000, "WAV ", "Uncompressed PCM audio", "1411 kbps"),
    audio("1207", "OGG", ".ogg", "libvorbis", 44100, 128000, "OGG ", "Ogg Vorbis audio",
          "64 kbps,96 kbps,128 kbps,160 kbps,192 kbps,256 kbps"),
    audio("1208", "APE", ".ape", "ape", 44100, 1000000, "APE ", "Monkey's Audio lossless compression",
          "1000 kbps", srs="44100 Hz,48000 Hz"),
    audio("1209", "MKA", ".mka", "libvo_aacenc", 44100, 128000, "MKA ", "Matroska audio", ABR_AAC,
          encs="libvo_aacenc,mp3,libvorbis"),
    audio("1210", "AU", ".au", "pcm_s16be", 44100, 1411000, "AU  ", "Sun audio, uncompressed", "1411 kbps"),
    audio("1211", "AIFF", ".aiff", "pcm_s24be", 44100, 2117000, "AIFF", "Audio interchange file format",
          "2117 kbps", encs="pcm_s24be,pcm_s16be"),
    audio("1212", "FLAC", ".flac", "flac", 44100, 1000000, "FLAC", "Free lossless audio codec", "1000 kbps",
          srs="22050 Hz,32000 Hz,44100 Hz,48000 Hz"),
    audio("1213", "M4B", ".m4b", "libvo_aacenc", 44100, 64000, "M4B ", "Audio book for iPod and iTunes",
          "32 kbps,48 kbps,64 kbps,96 kbps,128 kbps"),
    audio("1214", "M4R", ".m4r", "libvo_aacenc", 44100, 128000, "M4R ", "iPhone ring tone", ABR_AAC),
]
COMMON_AUDIO[0].icon = "IconMp3"
COMMON_AUDIO[0].lists["AudioEnclist"] = "mp3"


def hd(pid, name, ext, w, h, venc, fps, vbr, aenc, sr, abr, fourcc, encs, aencs, desc):
    lists = {"Resolution": "1280*720,1440*1080,1920*1080", "FrameRate": FPS_GENERIC,
             "VideoBitrate": "4000 kbps,6000 kbps,8000 kbps,10000 kbps,12000 kbps,15000 kbps,2000 Kbps",
             "AudioBitrate": "128 kbps,192 kbps,256 kbps,384 kbps,448 kbps",
             "SampleRate": "44100 Hz,48000 Hz",
             "Channel": CH_SURROUND if aenc == "ac3" else CH_STEREO,
             "VideoEnclist": encs, "AudioEnclist": aencs}
    return P(pid, name, ext, w, h, venc, fps, vbr, aenc, sr, abr, "IconHD" + name.capitalize(), fourcc, desc,
             ftype="1", cuda="-1" if venc == "libx264" else "0", lists=lists)


HD_VIDEO = [
    hd("1107", "MKV", ".mkv", 1920, 1080, "libx264", 0, 8000000, "ac3", 48000, 384000, "HMKV",
       "libx264", "ac3,libvo_aacenc", "High definition Matroska video"),
    hd("1100", "TS", ".ts", 1920, 1080, "libx264", 29970, 8000000, "ac3", 48000, 384000, "HDTS",
       "libx264,mpeg2video", "ac3,mp2", "MPEG transport stream, HD"),
    hd("1101", "TRP", ".trp", 1920, 1080, "libx264", 29970, 8000000, "ac3", 48000, 384000, "HTRP",
       "libx264,mpeg2video", "ac3,mp2", "HD transport stream for set-top boxes"),
    hd("1102", "AVI", ".avi", 1280, 720, "libx264", 23970, 6000000, "ac3", 48000, 384000, "HAVI",
       "libx264,libxvid", "ac3,mp3", "High definition AVI video"),
    hd("1103", "MP4", ".mp4", 1920, 1080, "libx264", 23970, 8000000, "libvo_aacenc", 48000, 192000, "HMP4",
       "libx264", "libvo_aacenc", "High definition MPEG-4 video"),
    hd("1104", "MPG", ".mpg", 1920, 1080, "mpeg2video", 25000, 15000000, "ac3", 48000, 384000, "HMPG",
       "mpeg2video", "ac3,mp2", "High definition MPEG-2 video"),
    hd("1105", "WMV", ".wmv", 1280, 720, "vc1", 29970, 6000000, "WMA8", 48000, 192000, "HWMV",
       "vc1,wmv1", "WMA8,wmav2", "High definition Windows Media video"),
    hd("1106", "MOV", ".mov", 1920, 1080, "libx264", 0, 8000000, "libvo_aacenc", 48000, 192000, "HMOV",
       "libx264", "libvo_aacenc", "High definition QuickTime video"),
]
# The MPEG-2 HD bit rate list is written the way the encoder pack lists it.
HD_VIDEO[5].lists["VideoBitrate"] = "8000 kbps,10000 kbps,12000 kbps,15000kbps"


def d3(pid, name, ext, venc, aenc, d3type, fourcc, desc):
    kind = "red/cyan anaglyph" if d3type == "1" else "side by side"
    lists = {"Resolution": "1280*720,1920*1080", "FrameRate": "23.97 fps,24 fps,25 fps,29.97 fps,30 fps",
             "VideoBitrate": "4000 kbps,6000 kbps,8000 kbps,10000 kbps",
             "AudioBitrate": "128 kbps,192 kbps", "SampleRate": "44100 Hz,48000 Hz", "Channel": CH_STEREO,
             "VideoEnclist": venc, "AudioEnclist": aenc.strip() or "libvo_aacenc"}
    icon = "Icon3D" + name.replace(" ", "") + ("Red" if d3type == "1" else "SBS")
    return P(pid, name, ext, 1920, 1080, venc, 24000, 8000000, aenc, 48000, 192000, icon, fourcc,
             "3D video (%s) %s" % (kind, desc), ftype="4", d3=d3type, lists=lists)


VIDEO_3D = [
    d3("2901", "MP4", ".mp4", "havc", "    ", "1", "3DMP", "in MPEG-4"),
    d3("2902", "MP4", ".mp4", "havc", "    ", "2", "3DMP", "in MPEG-4"),
    d3("2903", "WMV", ".wmv", "HVC1", "WMA8", "1", "3DWM", "in Windows Media"),
    d3("2904", "WMV", ".wmv", "HVC1", "WMA8", "2", "3DWM", "in Windows Media"),
    d3("2905", "MKV", ".mkv", "HAVC", "    ", "1", "3DMK", "in Matroska"),
    d3("2906", "MKV", ".mkv", "HAVC", "    ", "2", "3DMK", "in Matroska"),
    d3("2907", "AVI", ".avi", "libx264", "    ", "1", "3DAV", "in AVI"),
    d3("2908", "AVI", ".avi", "libx264", "    ", "2", "3DAV", "in AVI"),
    d3("2909", "Youtube Video HD", ".mp4", "havc", "    ", "1", "3DYT", "for YouTube"),
    d3("2910", "Youtube Video HD", ".mp4", "havc", "    ", "2", "3DYT", "for YouTube"),
]

ONLINE = [
    dev("2408", "Vimeo", ".mp4", 1280, 720, "libx264", 29970, 5000000, "libvo_aacenc", 44100, 192000,
        fourcc="VIMO", icon="IconVimeo", desc="HD video for Vimeo"),
    dev("2400", "FLV", ".flv", 480, 360, "flv1", 25000, 800000, "mp3", 44100, 96000, fourcc="FLV ",
        icon="IconFlv", desc="Flash video for web sites",
        lists={"Resolution": "320*240,400*300,480*360,640*480", "VideoEnclist": "flv1",
               "SampleRate": "11025 Hz,22050 Hz,44100 Hz"}),
    dev("2401", "F4V", ".f4v", 640, 480, "libx264", 25000, 1200000, "libvo_aacenc", 44100, 128000,
        fourcc="F4V ", icon="IconF4v", desc="Flash MPEG-4 video"),
    dev("2402", "SWF", ".swf", 480, 360, "flv1", 25000, 800000, "mp3", 22050, 64000, fourcc="SWF ",
        icon="IconSwf", desc="Shockwave Flash movie",
        lists={"Resolution": "320*240,400*300,480*360", "VideoEnclist": "flv1",
               "SampleRate": "11025 Hz,22050 Hz,44100 Hz"}),
    dev("2403", "Youtube Video", ".mp4", 640, 360, "libx264", 29970, 1000000, "libvo_aacenc", 44100, 128000,
        icon="IconYoutube", desc="Video for YouTube"),
    dev("2404", "Youtube Video HD", ".mp4", 1280, 720, "libx264", 29970, 5000000, "libvo_aacenc", 44100,
        192000, icon="IconYoutubeHD", desc="HD video for YouTube"),
    dev("2405", "Facebook Video", ".mp4", 640, 360, "libx264", 29970, 1000000, "libvo_aacenc", 44100, 128000,
        icon="IconFacebook", desc="Video for Facebook"),
    dev("2406", "Yahoo Video", ".wmv", 640, 480, "wmv1", 29970, 1200000, "wmav1", 44100, 128000,
        fourcc="WMV ", icon="IconYahoo", desc="Video for Yahoo"),
    dev("2407", "Myspace.com Video", ".mp4", 640, 360, "libx264", 29970, 1000000, "libvo_aacenc", 44100,
        128000, icon="IconMyspace", desc="Video for myspace.com"),
]


def apple(pid, name, w, h, venc, fps, vbr, fourcc, icon, abr=128000, **kw):
    return dev(pid, name, ".mp4", w, h, venc, fps, vbr, "libvo_aacenc", 44100, abr, icon=icon,
               fourcc=fourcc, brand="Apple", **kw)


APPLE = [
    apple("1800", "iPod touch", 480, 320, "m4v", 30000, 768000, "IPOD", "Iconipodtouch"),
    apple("1812", "iPod touch 4", 640, 480, "libx264", 30000, 1200000, "IPOD", "Iconipodtouch4"),
    apple("1813", "iPod touch 4 HD", 1280, 720, "libx264", 30000, 2500000, "IPOD", "Iconipodtouch4"),
    apple("1801", "iPod nano", 320, 240, "m4v", 30000, 512000, "IPOD", "Iconipodnano"),
    dev("1802", "iPod classic", ".mp4", 320, 240, "m4v", 30000, 512000, "libvo_aacenc", 44100, 128000,
        icon="Iconipodclassic", fourcc="IPOD", skip="False", cuda="-1",
        desc="Video for Apple iPod classic, 320x240, MP4",
        lists={"Resolution": "320*240,640*480", "FrameRate": "20 fps,23.97 fps,24 fps,25 fps,29.97 fps,30 fps",
               "VideoBitrate": "512 kbps,768 kbps,900 kbps,1500 kbps", "AudioBitrate": "96 kbps,128 kbps",
               "SampleRate": "44100 Hz,48000 Hz", "Channel": "1 Channel Mono,2 Channels Stereo",
               "VideoEnclist": "libx264,m4v", "AudioEnclist": "libvo_aacenc"}),
    apple("1803", "iPhone All", 480, 320, "mpeg4", 30000, 768000, "IPHN", "Iconiphone"),
    apple("1804", "iPhone 3G", 480, 320, "libx264", 30000, 768000, "IPHN", "Iconiphone3g"),
    apple("1805", "iPhone 3GS", 640, 480, "libx264", 30000, 1200000, "IPHN", "Iconiphone3gs"),
    apple("1806", "iPhone 4,4S", 960, 640, "libx264", 30000, 2000000, "IPHN", "Iconiphone4"),
    apple("1807", "iPhone 4,4S HD", 1280, 720, "libx264", 30000, 2500000, "IPHN", "Iconiphone4"),
    apple("1808", "iPad", 1024, 768, "libx264", 30000, 2000000, "IPAD", "Iconipad"),
    apple("1809", "iPad,iPad 2 HD", 1280, 720, "libx264", 30000, 3000000, "IPAD", "Iconipad2"),
    apple("1814", "New iPad", 1920, 1080, "libx264", 30000, 5000000, "IPAD", "Iconnewipad", abr=160000),
    apple("1810", "Apple TV", 960, 540, "libx264", 23970, 2500000, "ATV ", "Iconappletv", abr=160000),
    apple("1811", "Apple TV HD", 1280, 720, "libx264", 23970, 4000000, "ATV ", "Iconappletv", abr=160000),
]


def phone(brand, pid, name, w, h, venc, fps, vbr, ext=".mp4", aenc="libvo_aacenc", sr=44100, abr=128000,
          icon=None, fourcc="IPAN", **kw):
    if ext != ".mp4" and fourcc == "IPAN":
        fourcc = {".avi": "AVI ", ".wmv": "WMV ", ".3gp": "3GP ", ".3g2": "3G2 ", ".mov": "MOV ",
                  ".dpg": "DPG "}[ext]
    return dev(pid, name, ext, w, h, venc, fps, vbr, aenc, sr, abr, icon=icon, fourcc=fourcc, brand=brand, **kw)


HTC = [phone("HTC", *r) for r in [
    ("2132", "Flyer", 1024, 600, "libx264", 30000, 2000000),
    ("2133", "Sensation", 960, 540, "libx264", 30000, 2000000),
    ("2134", "Vivid", 960, 540, "libx264", 30000, 2000000),
    ("2116", "HTC Surround", 800, 480, "libx264", 24000, 1500000),
    ("2117", "HTC HD7", 800, 480, "libx264", 24000, 1500000),
    ("2115", "Aria", 480, 320, "libx264", 24000, 768000),
    ("2100", "Droid Incredible", 800, 480, "libx264", 30000, 1500000),
    ("2101", "Droid Eris", 480, 320, "libx264", 24000, 768000),
    ("2102", "Desire", 800, 480, "libx264", 24000, 1500000),
    ("2103", "Hero", 480, 320, "libx264", 24000, 768000),
    ("2104", "Legend", 480, 320, "libx264", 24000, 768000),
    ("2105", "Wildfire", 320, 240, "libx264", 24000, 512000),
    ("2106", "Magic", 480, 320, "libx264", 24000, 768000),
    ("2107", "Tattoo", 320, 240, "libx264", 24000, 512000),
    ("2108", "Dream", 480, 320, "libx264", 24000, 768000),
    ("2109", "T-Mobile G1", 480, 320, "libx264", 24000, 768000, ".mp4", "libvo_aacenc", 44100, 128000,
     "IconHTCT-Mobile"),
    ("2110", "Mytouch 3G", 480, 320, "libx264", 24000, 768000),
    ("2111", "Diamond", 640, 480, "libx264", 24000, 1000000),
    ("2112", "HD2", 800, 480, "libx264", 30000, 1500000),
    ("2113", "EVO 4G", 800, 480, "libx264", 30000, 1500000),
    ("2114", "Android OS", 480, 320, "libx264", 24000, 768000),
]]
for _p in HTC:
    if _p.icon.startswith("IconHTCHTC"):
        _p.icon = _p.icon.replace("IconHTCHTC", "IconHTC")

MOTOROLA = [phone("Motorola", *r) for r in [
    ("1919", "XOOM", 1280, 800, "libx264", 30000, 2500000),
    ("1920", "RAZR", 960, 540, "libx264", 30000, 2000000),
    ("1912", "Droid 2", 854, 480, "libx264", 30000, 1500000),
    ("1911", "Droid X", 854, 480, "libx264", 24000, 1500000),
    ("1900", "Droid", 854, 480, "libx264", 24000, 1500000),
    ("1901", "i1", 480, 320, "libx264", 24000, 768000),
    ("1902", "XT720", 854, 480, "libx264", 24000, 1200000),
    ("1903", "Milestone", 854, 480, "libx264", 24000, 1200000),
    ("1904", "CLIQ", 480, 320, "libx264", 24000, 768000),
    ("1905", "CLIQ XT", 480, 320, "libx264", 24000, 768000),
    ("1906", "DEVOUR", 480, 320, "libx264", 24000, 768000),
    ("1907", "Flipout", 320, 240, "libx264", 24000, 512000),
    ("1908", "BACKFLIP", 480, 320, "libx264", 24000, 768000),
    ("1909", "DEXT", 480, 320, "libx264", 24000, 768000),
    ("1910", "Quench", 480, 320, "libx264", 24000, 768000),
]]

NOKIA = [phone("Nokia", *r) for r in [
    ("2310", "N8", 640, 360, "libx264", 30000, 1200000),
    ("2311", "N70", 176, 144, "mpeg4", 15000, 256000),
    ("2312", "6300", 320, 240, "mpeg4", 15000, 384000),
    ("2313", "C6", 640, 360, "mpeg4", 24000, 768000),
    ("2314", "5530", 640, 360, "mpeg4", 24000, 768000),
    ("2300", "N900", 800, 480, "libx264", 25000, 1200000),
    ("2301", "X6", 640, 360, "mpeg4", 24000, 768000),
    ("2302", "X3", 320, 240, "mpeg4", 15000, 384000),
    ("2303", "5800 XpressMusic", 640, 360, "mpeg4", 24000, 768000),
    ("2304", "E63", 320, 240, "mpeg4", 15000, 384000),
    ("2305", "5230", 640, 360, "mpeg4", 24000, 768000),
    ("2306", "E72", 320, 240, "mpeg4", 15000, 384000),
    ("2307", "N97", 640, 360, "mpeg4", 24000, 768000),
    ("2308", "N95", 320, 240, "mpeg4", 20000, 512000),
    ("2309", "N73", 320, 240, "mpeg4", 15000, 384000),
]]

LG = [phone("LG", *r) for r in [
    ("2601", "Prime", 800, 480, "libx264", 30000, 1200000),
    ("2602", "enV touch VX11000", 400, 240, "libx264", 24000, 384000),
    ("2603", "Xenon GR500", 400, 240, "mpeg4", 15000, 384000),
    ("2604", "KP500", 400, 240, "libx264", 24000, 384000),
    ("2605", "Quantum", 800, 480, "libx264", 30000, 1200000),
    ("2607", "Bliss UX700", 400, 240, "mpeg4", 15000, 384000),
    ("2608", "Spyder II LG840", 400, 240, "mpeg4", 15000, 384000),
    ("2609", "Versa VX9600", 400, 240, "mpeg4", 15000, 384000),
    ("2610", "GW820", 800, 480, "libx264", 24000, 1200000),
    ("2611", "Dare VX9700", 400, 240, "mpeg4", 15000, 384000),
    ("2612", "Vu CU920", 320, 240, "mpeg4", 24000, 384000),
    ("2613", "Tritan UX840", 320, 240, "mpeg4", 15000, 384000),
    ("2614", "Incite CT810", 320, 240, "mpeg4", 20000, 512000),
]]

# Older models record in H.263 inside AVI with MP3 audio; H.263 knows only
# a few picture sizes, so their lists hold just those.
BB_MONO = {"Channel": "1 Channel Mono,2 Channel Mono"}
BLACKBERRY = [phone("BlackBerry", *r[:7], **r[7]) if len(r) > 7 else phone("BlackBerry", *r) for r in [
    ("2212", "PlayBook", 1024, 600, "libx264", 30000, 2500000),
    ("2211", "Torch 9800", 480, 360, "libx264", 24000, 768000),
    ("2200", "Tour series", 480, 360, "libx264", 24000, 768000),
    ("2201", "Storm series", 480, 360, "libx264", 24000, 768000),
    ("2202", "Bold series", 480, 320, "wmv1", 24000, 768000, {"ext": ".wmv", "aenc": "wmav1"}),
    ("2203", "Curve 8900", 480, 320, "libx264", 24000, 768000),
    ("2204", "Curve 8500", 480, 360, "mpeg4", 24000, 768000),
    ("2205", "Curve 8300", 176, 144, "h263", 15000, 256000, {"ext": ".avi", "aenc": "mp3"}),
    ("2206", "Curve 8310", 176, 144, "h263", 15000, 256000, {"ext": ".avi", "aenc": "mp3"}),
    ("2207", "Pearl Flip", 176, 144, "h263", 15000, 256000, {"ext": ".avi", "aenc": "mp3", "lists": BB_MONO}),
    ("2208", "Pearl 8800", 176, 144, "h263", 15000, 256000, {"ext": ".avi", "aenc": "mp3", "lists": BB_MONO}),
    ("2209", "Pearl 3G", 352, 288, "libxvid", 20000, 512000, {"ext": ".avi", "aenc": "mp3"}),
    ("2210", "Pearl 8100", 176, 144, "h263", 15000, 256000, {"ext": ".avi", "aenc": "mp3"}),
]]

SAMSUNG = [phone("Samsung", *r) for r in [
    ("2756", "Galaxy S X", 800, 480, "libx264", 30000, 1500000),
    ("2707", "Fascinate", 800, 480, "libx264", 30000, 1500000),
    ("2708", "Epic 4G ", 800, 480, "libx264", 30000, 1500000),
    ("2709", "Mesmerize", 800, 480, "libx264", 30000, 1500000),
    ("2710", "Intercept", 400, 240, "libx264", 24000, 512000),
    ("2712", "Note x", 1280, 800, "libx264", 30000, 2500000),
    ("2713", "Solstice", 320, 240, "libx264", 24000, 384000),
    ("2714", "Reality", 400, 240, "libx264", 24000, 512000),
    ("2715", "Mythic", 400, 240, "libx264", 24000, 512000),
    ("2716", "Galaxy Tab", 1024, 600, "libx264", 30000, 2000000),
    ("2717", "Focus ", 800, 480, "libx264", 30000, 1500000),
    ("2701", "Galaxy S", 800, 480, "libx264", 30000, 1500000),
    ("2702", "Captivate", 800, 480, "libx264", 30000, 1500000),
    ("2703", "i7500", 480, 320, "mpeg4", 24000, 768000),
    ("2704", "Behold", 400, 240, "mpeg4", 24000, 384000),
    ("2705", "Moment", 800, 480, "libx264", 24000, 1200000),
    ("2706", "Galaxy Spica", 480, 320, "libx264", 24000, 768000),
]]

SONY_ERICSSON = [phone("SonyEricsson", *r) for r in [
    ("2801", "XPERIA x10", 854, 480, "libx264", 30000, 1500000),
    ("2802", "Xperia X8", 480, 320, "mpeg4", 24000, 768000),
    ("2803", "Vivaz", 640, 360, "libx264", 24000, 1000000),
]]

GAME = [
    phone("", "1300", "PSP", 480, 272, "libx264", 29970, 768000, icon="IconPSP"),
    phone("", "1301", "PS3", 720, 480, "libx264", 29970, 2000000, icon="IconPS3"),
    phone("", "1302", "PS3 HD", 1920, 1080, "libx264", 29970, 6000000, icon="IconPS3", abr=192000),
    phone("", "1303", "Xbox 360", 640, 480, "wmv1", 29970, 1500000, ext=".wmv", aenc="wmav1",
          icon="IconXbox360"),
    phone("", "1304", "Xbox 360 HD", 1280, 720, "wmv1", 29970, 4000000, ext=".wmv", aenc="wmav1",
          icon="IconXbox360", abr=192000),
    phone("", "1305", "Wii", 640, 480, "mjpeg", 20000, 3000000, ext=".avi", aenc="pcm_s16le", sr=32000,
          abr=1024000, icon="IconWii", lists={"AudioBitrate": "1024 kbps"}),
    phone("", "1306", "NDS", 256, 192, "mjpeg", 20000, 256000, ext=".dpg", aenc="adpcm_ima_smjpeg", sr=32000,
          abr=128000, icon="IconNDS",
          lists={"Resolution": "256*192", "FrameRate": "15 fps,20 fps,24 fps",
                 "VideoBitrate": "128 kbps,256 kbps,384 kbps", "AudioBitrate": "96 kbps,128 kbps",
                 "SampleRate": "22050 Hz,32000 Hz"}),
]

MOBILE = [
    phone("", "2018", "Dell Venue Pro", 800, 480, "libx264", 30000, 1500000, icon="IconDellVenuePro"),
    phone("", "2019", "Dell Streak", 800, 480, "libx264", 30000, 1500000, icon="IconDellStreak"),
    phone("", "2000", "Nexus one", 800, 480, "libx264", 30000, 1500000, icon="IconNexusOne"),
    phone("", "2002", "3GP", 176, 144, "h263", 15000, 192000, ext=".3gp", sr=22050, abr=32000,
          icon="Icon3gp", lists={"AudioBitrate": "32 kbps,48 kbps,64 kbps", "SampleRate": "8000 Hz,16000 Hz,22050 Hz"}),
    # The encoder pack lists these two with the encoder names the other way
    # round; the transcoder recognises them by kind.
    phone("", "2003", "3GP2", 320, 240, "libvo_aacenc", 15000, 384000, ext=".3g2", aenc="libxvid", sr=22050,
          abr=64000, icon="Icon3g2", lists={"AudioBitrate": "32 kbps,48 kbps,64 kbps,96 kbps",
                                            "SampleRate": "22050 Hz,32000 Hz,44100 Hz"}),
    phone("", "2004", "Pocket PC", 320, 240, "wmv1", 15000, 384000, ext=".wmv", aenc="wmav1", abr=64000,
          icon="IconPocketPC"),
    phone("", "2005", "Palm Pre", 480, 320, "libx264", 24000, 768000, icon="IconPalmPre"),
    phone("", "2006", "HP IPAQ", 320, 240, "wmv1", 15000, 384000, ext=".wmv", aenc="wmav1", abr=64000,
          icon="IconHPIPAQ"),
    phone("", "2007", "Palm Pixi", 400, 300, "libvo_aacenc", 18000, 512000, aenc="libxvid", icon="IconPalmPixi"),
]

ZUNE = [
    phone("", "1400", "Zune", 320, 240, "wmv1", 30000, 768000, ext=".wmv", aenc="wmav1", icon="IconZune"),
    phone("", "1401", "Zune HD", 720, 480, "wmv1", 29970, 1500000, ext=".wmv", aenc="wmav1", icon="IconZuneHD"),
]

ZEN = [
    phone("", "1705", "Creative ZiiO 10", 1024, 600, "libx264", 30000, 2000000, icon="IconZiiO10"),
    phone("", "1706", "ZCreative ZiiO 7", 800, 480, "libx264", 30000, 1500000, icon="IconZiiO7"),
    phone("Zen", "1700", "X-Fi", 320, 240, "libxvid", 20000, 512000, ext=".avi", aenc="mp3"),
    phone("Zen", "1701", "X-Fi2", 400, 240, "libxvid", 20000, 768000, ext=".avi", aenc="mp3"),
    phone("Zen", "1702", "VPLUS", 320, 240, "libxvid", 20000, 512000, ext=".avi", aenc="adpcm_ms", abr=96000),
    phone("Zen", "1703", "Creative Vision", 640, 480, "wmv1", 20000, 1000000, ext=".wmv", aenc="wmav1",
          icon="IconZenVision"),
    phone("Zen", "1704", "Creative MX", 320, 240, "wmv1", 20000, 512000, ext=".wmv", aenc="wmav1",
          icon="IconZenMX"),
]

ARCHOS = [phone("Archos", *r) for r in [
    ("1608", "101 internet tablet", 1024, 600, "libx264", 23970, 2500000),
    ("1609", "70 internet tablet", 800, 480, "libx264", 30000, 2000000),
    ("1610", "43 internet tablet", 854, 480, "libx264", 30000, 1500000),
    ("1611", "28 internet tablet", 320, 240, "libx264", 30000, 768000),
    ("1612", "7 home tablet", 800, 480, "libx264", 23970, 1500000),
    ("1613", "5 internet tablet", 800, 480, "libx264", 23970, 2000000),
    ("1614", "3 vision(AVI)", 400, 240, "libxvid", 25000, 768000, ".avi", "mp3"),
    ("1602", "605/704/705", 720, 480, "libxvid", 25000, 1500000, ".avi", "mp3", 44100, 128000,
     "IconArchos605/704/705"),
    ("1603", "504/604", 640, 480, "libxvid", 25000, 1200000, ".avi", "mp3", 44100, 128000, "IconArchos504/604"),
    ("1604", "404/405", 320, 240, "libxvid", 25000, 768000, ".avi", "mp3", 44100, 128000, "IconArchos404/405"),
    ("1605", "AV500/AV700", 640, 480, "libxvid", 25000, 1200000, ".avi", "mp3", 44100, 128000,
     "IconArchosAV500/AV700"),
    ("1606", "105", 160, 128, "wmv1", 15000, 256000, ".wmv", "wmav1", 44100, 64000),
    ("1607", "Player", 320, 240, "libxvid", 24000, 768000, ".avi", "mp3"),
]]

SANSA = [
    phone("Sansa", "1500", "E200 serise", 220, 176, "libxvid", 20000, 384000, ext=".mov", fourcc="MOV "),
    phone("Sansa", "1501", "View", 320, 240, "libxvid", 20000, 512000),
    phone("Sansa", "1502", "Fuze", 224, 176, "libxvid", 20000, 384000),
]

MEDIA_PLAYERS = [
    phone("", "2500", "SONY Walkman", 320, 240, "libxvid", 30000, 768000, icon="IconWalkman"),
    phone("", "2501", "Dell Player", 320, 240, "wmv1", 23970, 768000, ext=".wmv", aenc="wmav1",
          icon="IconDellPlayer"),
    phone("iRiver", "2502", "iRiver P7", 480, 272, "libxvid", 23970, 768000, ext=".avi", aenc="mp3",
          icon="IconiRiverP7"),
    phone("iRiver", "2503", "iRiver SPINN", 400, 240, "libxvid", 23970, 768000, ext=".avi", aenc="mp3",
          icon="IconiRiverSPINN"),
    phone("iRiver", "2504", "iRiver E100", 320, 240, "libxvid", 23970, 512000, ext=".avi", aenc="mp3",
          icon="IconiRiverE100"),
]

GROUPS = {
    "1": COMMON_VIDEO, "1003": DVD, "3": HD_VIDEO, "2": COMMON_AUDIO, "10": GAME, "11": ZUNE, "15": SANSA,
    "13": ARCHOS, "14": ZEN, "5": APPLE, "7": MOTOROLA, "12": MOBILE, "6": HTC, "9": BLACKBERRY, "8": NOKIA,
    "4": ONLINE, "16": MEDIA_PLAYERS, "18": LG, "19": SAMSUNG, "20": SONY_ERICSSON, "21": VIDEO_3D,
}


# Default encoders per category (trailing blanks ignored, "" = blank).
ENCODER_COUNTS = {
    "1003": ({"mpeg2video": 1}, {"ac3": 1}),
    "1": ({"libx264": 3, "mp2v": 2, "msmpeg4": 1, "m264": 1, "wmv1": 1, "mp43": 1, "libxvid": 1, "divx": 1,
           "vp8": 1, "dvvideo": 1, "mpeg1video": 1},
          {"mp3": 4, "libvo_aacenc": 3, "mp2": 3, "wmav2": 1, "wmv8": 1, "libvorbis": 1, "pcm_dvd": 1}),
    "2": ({"": 14}, {"libvo_aacenc": 5, "mp3": 1, "ac3": 1, "wmav1": 1, "pcm_s16le": 1, "libvorbis": 1,
                     "ape": 1, "pcm_s16be": 1, "pcm_s24be": 1, "flac": 1}),
    "3": ({"libx264": 6, "mpeg2video": 1, "vc1": 1}, {"ac3": 5, "libvo_aacenc": 2, "WMA8": 1}),
    "21": ({"havc": 4, "HAVC": 2, "HVC1": 2, "libx264": 2}, {"": 8, "WMA8": 2}),
    "4": ({"libx264": 6, "flv1": 2, "wmv1": 1}, {"libvo_aacenc": 6, "mp3": 2, "wmav1": 1}),
    "5": ({"libx264": 11, "m4v": 3, "mpeg4": 1}, {"libvo_aacenc": 15}),
    "6": ({"libx264": 21}, {"libvo_aacenc": 21}),
    "7": ({"libx264": 15}, {"libvo_aacenc": 15}),
    "8": ({"mpeg4": 13, "libx264": 2}, {"libvo_aacenc": 15}),
    "18": ({"mpeg4": 8, "libx264": 5}, {"libvo_aacenc": 13}),
    "9": ({"libx264": 5, "h263": 5, "wmv1": 1, "mpeg4": 1, "libxvid": 1},
          {"libvo_aacenc": 6, "mp3": 6, "wmav1": 1}),
    "19": ({"libx264": 15, "mpeg4": 2}, {"libvo_aacenc": 17}),
    "20": ({"libx264": 2, "mpeg4": 1}, {"libvo_aacenc": 3}),
    "10": ({"libx264": 3, "wmv1": 2, "mjpeg": 2},
           {"libvo_aacenc": 3, "wmav1": 2, "pcm_s16le": 1, "adpcm_ima_smjpeg": 1}),
    "12": ({"libx264": 4, "wmv1": 2, "libvo_aacenc": 2, "h263": 1}, {"libvo_aacenc": 5, "wmav1": 2, "libxvid": 2}),
    "11": ({"wmv1": 2}, {"wmav1": 2}),
    "14": ({"libxvid": 3, "libx264": 2, "wmv1": 2}, {"libvo_aacenc": 2, "mp3": 2, "wmav1": 2, "adpcm_ms": 1}),
    "13": ({"libx264": 6, "libxvid": 6, "wmv1": 1}, {"libvo_aacenc": 6, "mp3": 6, "wmav1": 1}),
    "15": ({"libxvid": 3}, {"libvo_aacenc": 3}),
    "16": ({"libxvid": 4, "wmv1": 1}, {"mp3": 3, "libvo_aacenc": 1, "wmav1": 1}),
}

LIST_ORDER = ["Resolution", "FrameRate", "VideoBitrate", "VideoBitrateLevel", "AudioBitrate",
              "AudioBitrateLevel", "SampleRate", "Channel", "VideoEnclist", "AudioEnclist"]


def profiles():
    out = []
    for cid in GROUP_ORDER:
        for p in GROUPS[cid]:
            p.cat = cid
            out.append(p)
    return out


def format_entry(p):
    attrs = [("id", p.id), ("Enabled", "True"), ("skip", p.skip), ("icon", p.icon), ("categoryid", p.cat),
             ("FourCC", p.fourcc), ("FormatType", p.ftype), ("Format3Dtype", p.d3), ("Format", p.ext),
             ("SupportCUDA", p.cuda)]
    lines = ["  <FormatInfo %s>" % " ".join("%s=%s" % (k, quoteattr(v)) for k, v in attrs)]
    lines.append("    <name>%s</name>" % escape(p.name))
    lines.append("    <description>%s</description>" % escape(p.desc))
    enc = [("Interpolation", "0"), ("ResizeStyle", "1"), ("SampleRate", str(p.sr)), ("Width", str(p.w)),
           ("Height", str(p.h)), ("AudioEncoder", p.aenc), ("VideoEncoder", p.venc), ("Channels", "2"),
           ("FrameRate", str(p.fps)), ("AudioBitrate", str(p.abr)), ("VideoBitrate", str(p.vbr)),
           ("Formate", p.formate), ("Norm", p.norm), ("VideoVBR", "0"), ("AudioVBR", "0"),
           ("SplitStyle", "0"), ("SplitSize", "0")]
    lines.append("    <EncParam>")
    for k, v in enc:
        lines.append("      <%s>%s</%s>" % (k, escape(v), k) if v else "      <%s></%s>" % (k, k))
    lines.append("    </EncParam>")
    for k in LIST_ORDER:
        if k == "AudioBitrateLevel" and p.id == "1002":
            continue  # this entry never had the element
        v = p.lists.get(k, "")
        lines.append("    <%s>%s</%s>" % (k, escape(v), k) if v else "    <%s></%s>" % (k, k))
    lines.append("  </FormatInfo>")
    return lines


def write_crlf(path, lines):
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def check(ps):
    """The catalogue's fixed facts; generation stops when one is broken."""
    from collections import Counter
    assert len(ps) == 214, len(ps)
    assert len({p.id for p in ps}) == 214
    assert Counter(p.ftype for p in ps) == {"0": 168, "1": 8, "2": 14, "3": 14, "4": 10}, Counter(
        p.ftype for p in ps)
    assert sum(p.fourcc == "IPAN" for p in ps) == 113, sum(p.fourcc == "IPAN" for p in ps)
    assert sum(p.ext == ".mp4" for p in ps) == 135
    want = {24000: 65, 30000: 46, 0: 26, 15000: 22, 25000: 15, 29970: 15, 20000: 13, 23970: 11, 18000: 1}
    got = Counter(p.fps for p in ps)
    assert got == want, sorted(got.items())
    assert [p.id for p in ps if p.skip == "False"] == ["1802"]
    for cid, (venc, aenc) in ENCODER_COUNTS.items():
        members = [p for p in ps if p.cat == cid]
        assert Counter(p.venc.strip() for p in members) == venc, (cid, Counter(p.venc.strip() for p in members))
        assert Counter(p.aenc.strip() for p in members) == aenc, (cid, Counter(p.aenc.strip() for p in members))
    assert [p.id for p in ps if p.d3 == "1"] == ["2901", "2903", "2905", "2907", "2909"]
    assert [p.id for p in ps if p.d3 == "2"] == ["2902", "2904", "2906", "2908", "2910"]
    for p in ps:
        assert len(p.fourcc) == 4, p.id
        if p.ftype == "3":
            assert p.w == 0 and p.h == 0 and p.fps == 0 and p.vbr == 0
        else:
            assert p.lists.get("Resolution") and p.lists.get("VideoEnclist"), p.id
            if p.w:
                assert "%d*%d" % (p.w, p.h) in p.lists["Resolution"].split(","), p.id
                assert p.w % 2 == 0 and p.h % 2 == 0, p.id


def main():
    ps = profiles()
    check(ps)
    res = os.path.join(ROOT, "res")
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Product>"]
    for p in ps:
        lines += format_entry(p)
    lines.append("</Product>")
    write_crlf(os.path.join(res, "Format.dat"), lines)

    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<profile>"]
    for cid, title, typ, icon, cls, back, font, skip in CATEGORIES:
        attrs = [("id", cid), ("title", title), ("type", typ), ("icon", icon), ("class", cls),
                 ("BackColor", back), ("FontColor", font)]
        if skip:
            attrs.append(("skip", skip))
        lines.append("  <category %s/>" % " ".join("%s=%s" % (k, quoteattr(v)) for k, v in attrs))
    lines.append("</profile>")
    write_crlf(os.path.join(res, "Profile.dat"), lines)

    # Default user configuration: same layout as the program writes it.
    groups = {"DVD": [], "Format": [], "Device": []}
    for cid, title, typ, icon, cls, *_ in CATEGORIES:
        members = [p for p in ps if p.cat == cid]
        if cls in groups and members:
            groups[cls].append((title, icon, members))
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<Config>", "    <UserProfiles>",
           '        <Category title="Recent" icon="MenuRecent"/>',
           '        <Category title="Favourites" icon="MenuUserDefined"/>', "    </UserProfiles>"]
    for cls, tag in (("DVD", "DVDProfiles"), ("Format", "FormatsProfiles"), ("Device", "DeviceProfiles")):
        out.append("    <%s>" % tag)
        for title, icon, members in groups[cls]:
            out.append("        <Category title=%s icon=%s>" % (quoteattr(title), quoteattr(icon)))
            for p in members:
                out.append('            <Format id="%s" skip="false"/>' % p.id)
            out.append("        </Category>")
        out.append("    </%s>" % tag)
    out.append("</Config>")
    with open(os.path.join(res, "upc.xml"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out) + "\n")

    print("profiles: %d, categories: %d" % (len(ps), len(CATEGORIES)))


if __name__ == "__main__":
    sys.exit(main())
