# The fonts the windows are drawn in, compiled into the program so that it looks the same on every
# machine: Liberation Sans (regular and bold) for the controls and titles, Liberation Mono for the
# typewriter captions. The files come from the Debian package fonts-liberation2 (installed by
# scripts/install-deps); another folder holding the same files can be given with
# RAKEWRIGHT_FONT_DIR, and the licence file with RAKEWRIGHT_FONT_LICENSE.
#
# rakewright_bundle_fonts(TARGET) copies the fonts into the build folder beside a generated
# resource file, which TARGET compiles in (prepareApplication() registers them), and copies their
# licence there too, naming the copy in RAKEWRIGHT_FONT_LICENSE_COPY in the caller's scope (the
# archive puts it beside the program, packaging/).

set(RAKEWRIGHT_FONT_DIR "" CACHE PATH "Folder with the Liberation 2 font files (default: search)")

function(rakewright_bundle_fonts target)
  set(font_search_paths /usr/share/fonts/truetype/liberation2
                        /usr/local/share/fonts/truetype/liberation2)
  set(font_files LiberationSans-Regular.ttf LiberationSans-Bold.ttf LiberationMono-Regular.ttf
                 LiberationMono-Bold.ttf)
  set(font_build_dir "${CMAKE_CURRENT_BINARY_DIR}/fonts")
  set(font_qrc_entries "")
  foreach(font_file IN LISTS font_files)
    string(MAKE_C_IDENTIFIER "RAKEWRIGHT_FONT_${font_file}" font_variable)
    # Files of the build machine, also when cross-building.
    find_file(${font_variable} ${font_file} HINTS ${RAKEWRIGHT_FONT_DIR} PATHS ${font_search_paths}
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${font_variable})
      string(JOIN ", " font_folders ${RAKEWRIGHT_FONT_DIR} ${font_search_paths})
      message(FATAL_ERROR
        "The font file ${font_file} was not found (looked in ${font_folders}). Install the Debian "
        "package fonts-liberation2 (scripts/install-deps does), or give the folder that holds it "
        "with -DRAKEWRIGHT_FONT_DIR=...")
    endif()
    configure_file("${${font_variable}}" "${font_build_dir}/${font_file}" COPYONLY)
    string(APPEND font_qrc_entries "    <file>${font_file}</file>\n")
  endforeach()
  # Written only when its content changes, so that a new configure does not recompile the fonts.
  string(CONCAT font_qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/fonts\">\n"
                         "${font_qrc_entries}  </qresource>\n</RCC>\n")
  file(CONFIGURE OUTPUT "${font_build_dir}/fonts.qrc" CONTENT "${font_qrc}")
  target_sources(${target} PRIVATE "${font_build_dir}/fonts.qrc")

  find_file(RAKEWRIGHT_FONT_LICENSE copyright PATHS /usr/share/doc/fonts-liberation2
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT RAKEWRIGHT_FONT_LICENSE)
    message(FATAL_ERROR
      "The licence of the Liberation fonts (/usr/share/doc/fonts-liberation2/copyright) was not "
      "found. Install the Debian package fonts-liberation2, or name the file with "
      "-DRAKEWRIGHT_FONT_LICENSE=...")
  endif()
  configure_file("${RAKEWRIGHT_FONT_LICENSE}" "${font_build_dir}/LICENSE-fonts.txt" COPYONLY)
  set(RAKEWRIGHT_FONT_LICENSE_COPY "${font_build_dir}/LICENSE-fonts.txt" PARENT_SCOPE)
endfunction()
