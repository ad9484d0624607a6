# Qt's own Russian texts (the file dialog, the input dialogs, the standard buttons), compiled into
# the program so that Qt's dialogs speak the language of the program on every machine. The file
# qtbase_ru.qm comes from the Debian package qt6-translations-l10n (installed by
# scripts/install-deps), read from the build machine also when cross-building: a translation is
# the same file for every system.
#
# rakewright_bundle_qt_translation(TARGET) adds it to TARGET's resources as
# :/translations/qtbase_ru.qm.
function(rakewright_bundle_qt_translation target)
  find_file(RAKEWRIGHT_QT_TRANSLATION qtbase_ru.qm
            HINTS ${RAKEWRIGHT_QT_TRANSLATION_DIR}
            PATHS /usr/share/qt6/translations /usr/local/share/qt6/translations
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT RAKEWRIGHT_QT_TRANSLATION)
    message(FATAL_ERROR
      "Qt's Russian translation qtbase_ru.qm was not found in /usr/share/qt6/translations. Install "
      "the Debian package qt6-translations-l10n (scripts/install-deps does), or give the folder "
      "that holds it with -DRAKEWRIGHT_QT_TRANSLATION_DIR=...")
  endif()
  set(build_dir "${CMAKE_CURRENT_BINARY_DIR}/translations")
  configure_file("${RAKEWRIGHT_QT_TRANSLATION}" "${build_dir}/qtbase_ru.qm" COPYONLY)
  file(CONFIGURE OUTPUT "${build_dir}/translations.qrc" CONTENT
       "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/translations\">\n    <file>qtbase_ru.qm</file>\n  </qresource>\n</RCC>\n")
  target_sources(${target} PRIVATE "${build_dir}/translations.qrc")
  # The build machine's rcc would pack it with zstd, which the static Qt for Windows is built
  # without; zlib serves both.
  set_source_files_properties("${build_dir}/translations.qrc" PROPERTIES AUTORCC_OPTIONS --no-zstd)
endfunction()
