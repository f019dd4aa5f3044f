# cmake -DSRC=<file> -DDST=<folder> -P CopyIfMissing.cmake
# Seeds a data file the program writes itself, without overwriting what the
# program has written since.
get_filename_component(name ${SRC} NAME)
if(NOT EXISTS ${DST}/${name})
  file(COPY ${SRC} DESTINATION ${DST})
endif()
