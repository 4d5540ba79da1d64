# The shipped language files are compiled into the core, so the program always has a voice
# and can install them into a fresh data folder wherever it was installed from.
set(NOVANTA_LINGUE_DIR ${CMAKE_SOURCE_DIR}/data/lingue)
set(NOVANTA_LINGUE_CPP ${CMAKE_BINARY_DIR}/generated/lingue_distribuite.cpp)
add_custom_command(
  OUTPUT ${NOVANTA_LINGUE_CPP}
  COMMAND ${CMAKE_COMMAND} -DDIR=${NOVANTA_LINGUE_DIR} -DOUT=${NOVANTA_LINGUE_CPP}
          -P ${CMAKE_CURRENT_LIST_DIR}/genera_lingue.cmake
  DEPENDS ${NOVANTA_LINGUE_DIR}/italiano.lng ${NOVANTA_LINGUE_DIR}/english.lng
          ${CMAKE_CURRENT_LIST_DIR}/genera_lingue.cmake
  COMMENT "Embedding the shipped language files")
target_sources(novanta_core PRIVATE ${NOVANTA_LINGUE_CPP})
