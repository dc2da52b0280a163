# Writes the progress file of a new player, "0" and a line end, unless the
# player already has one there.
if(NOT DEFINED CMAKE_ARGV3)
    message(FATAL_ERROR "usage: cmake -P new_progress_file.cmake <path>")
endif()
set(path "${CMAKE_ARGV3}")
if(NOT EXISTS "${path}")
    string(ASCII 13 cr)
    file(WRITE "${path}" "0${cr}\n")
endif()
