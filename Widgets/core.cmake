list(APPEND DIR_CORE timetext.cpp timetext.h)

# Media registry, conversion job and merge (GUI-free).
list(APPEND DIR_CORE
  videobasicinfo.h
  mediasummary.h mediasummary.cpp
  supportedfiles.h supportedfiles.cpp
  videoinfo.h videoinfo.cpp
  videoloadstep.h videoloadstep.cpp
  videoinfomanager.h videoinfomanager.cpp
  convertjob.h convertjob.cpp
  videoconvertwrapper.h videoconvertwrapper.cpp
  ffmpegmerge.h ffmpegmerge.cpp
  videomergewrapper.h videomergewrapper.cpp
)
