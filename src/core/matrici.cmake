# The shipped matrices (data/matrici/*.mzel, rebuilt by `make matrici`) are compiled into the
# core, as the language files are, so a fresh data folder gets them wherever the program runs.
file(GLOB NOVANTA_MATRICI_FILE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/matrici/*.mzel)
set(NOVANTA_MATRICI_CPP ${CMAKE_BINARY_DIR}/generated/matrici_distribuite.cpp)
add_custom_command(
  OUTPUT ${NOVANTA_MATRICI_CPP}
  COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/data/matrici -DOUT=${NOVANTA_MATRICI_CPP}
          -P ${CMAKE_CURRENT_LIST_DIR}/genera_matrici.cmake
  DEPENDS ${NOVANTA_MATRICI_FILE} ${CMAKE_CURRENT_LIST_DIR}/genera_matrici.cmake
  COMMENT "Embedding the shipped matrices")
target_sources(novanta_core PRIVATE ${NOVANTA_MATRICI_CPP})
