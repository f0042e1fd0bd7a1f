# GUI-free part of the profile catalogue: database, user configuration.
list(APPEND DIR_CORE
  videoencparam.cpp videoencparam.h
  videoformatinfo.cpp videoformatinfo.h
  videoprofileinfomanager.cpp videoprofileinfomanager.h
  videoprofilecategory.h
  videoprofileformatuserconfig.cpp videoprofileformatuserconfig.h
  videoprofileuserconfig.cpp videoprofileuserconfig.h
  upcdefaults.cpp upcdefaults.h)
