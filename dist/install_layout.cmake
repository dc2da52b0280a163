# Where an installation puts everything: Debian's layout for games, with the
# programs in games/ and their data in share/games/ferlan/. Every folder lies
# below the prefix, so an installation can be moved as a whole.
include(GNUInstallDirs)
set(FERLAN_INSTALL_BINDIR games CACHE PATH "The programs (Debian keeps games apart)")
set(FERLAN_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/ferlan CACHE PATH "The game's data")
set(FERLAN_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/ferlan CACHE PATH "The package's documents")

# The game finds its data from its own folder. Folders given relative to the
# prefix are measured below a stand-in, so the way holds for any prefix.
set(bin_dir ${FERLAN_INSTALL_BINDIR})
set(data_dir ${FERLAN_INSTALL_DATADIR})
foreach(dir bin_dir data_dir)
    if(NOT IS_ABSOLUTE ${${dir}})
        set(${dir} /prefix/${${dir}})
    endif()
endforeach()
file(RELATIVE_PATH FERLAN_DATA_DIR_FROM_PROGRAM ${bin_dir} ${data_dir})
