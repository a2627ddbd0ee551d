# cmake -DSRC=<data folder> -DDST=<folder of the exe> -P CopyData.cmake
# Copies the files shipped beside the exe; a tree without data files is fine.
if(IS_DIRECTORY "${SRC}")
  file(COPY "${SRC}/" DESTINATION "${DST}")
endif()
