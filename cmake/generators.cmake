# The build's own generators and what they make before the program is compiled: the
# pictures (from the art manifest), the ornament mesh, the iso-surface tables, the music,
# and the embedding of them all into one generated source.
add_executable(artgen tools/artgen/main.cpp tools/artgen/canvas.cpp tools/artgen/lettering.cpp
                      tools/artgen/pictures.cpp tools/artgen/sheet.cpp tools/artgen/planet.cpp
                      tools/artgen/blast.cpp tools/artgen/lattice_art.cpp tools/artgen/ornament_view.cpp
                      tools/artgen/tunnel_art.cpp tools/artgen/blob_art.cpp tools/artgen/icon.cpp
                      tools/artgen/ico.cpp tools/artgen/text_font.cpp
                      scenes/ornament_mesh.cpp)
target_include_directories(artgen PRIVATE ${CMAKE_SOURCE_DIR})  # shares the scenes' layout tables
target_link_libraries(artgen PRIVATE Freetype::Freetype PNG::PNG)
add_executable(embed tools/embed/embed.cpp)
add_executable(meshgen tools/meshgen/main.cpp tools/meshgen/mesh.cpp tools/meshgen/cage.cpp)
add_executable(isogen tools/isogen/main.cpp tools/isogen/tables.cpp)
target_include_directories(meshgen PRIVATE ${CMAKE_SOURCE_DIR})

# The ornament mesh, embedded like the pictures.
set(MESH_FILE ${CMAKE_BINARY_DIR}/mesh/ornament.mesh)
add_custom_command(
  OUTPUT ${MESH_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/mesh
  COMMAND meshgen ${MESH_FILE}
  DEPENDS meshgen
  COMMENT "Building the ornament mesh")
add_executable(songgen tools/songgen/main.cpp tools/songgen/xm.cpp tools/songgen/synth.cpp
                       tools/songgen/composition.cpp tools/songgen/sketch.cpp)

# The music is generated beside the program, which reads it from its working directory.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/SongM.xm
  COMMAND songgen ${CMAKE_BINARY_DIR}/SongM.xm
  DEPENDS songgen
  COMMENT "Writing the music module SongM.xm")
add_custom_target(music ALL DEPENDS ${CMAKE_BINARY_DIR}/SongM.xm)

# The iso-surface's case tables, derived and checked by isogen.
set(ISO_FILE ${CMAKE_BINARY_DIR}/mesh/iso_tables.bin)
add_custom_command(
  OUTPUT ${ISO_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/mesh
  COMMAND isogen ${ISO_FILE}
  DEPENDS isogen
  COMMENT "Deriving the iso-surface tables")

# Every picture artgen draws, from the manifest it shares with the program; each is
# embedded as Picture_<name>.
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
file(READ ${CMAKE_SOURCE_DIR}/assets/art_manifest.h ART_MANIFEST)
string(REGEX MATCHALL "\n *P\\([a-z0-9_]+," ART_ENTRIES "${ART_MANIFEST}")
set(ART_FILES)
set(EMBED_ARGS)
foreach(entry ${ART_ENTRIES})
  string(REGEX REPLACE "[^(]*\\(([a-z0-9_]+)," "\\1" name "${entry}")
  list(APPEND ART_FILES ${ART_DIR}/${name}.tga)
  list(APPEND EMBED_ARGS Picture_${name}=${ART_DIR}/${name}.tga)
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/art_manifest.h)
add_custom_command(
  OUTPUT ${ART_FILES} ${ART_DIR}/contact_sheet.png ${ART_DIR}/lumaro.png ${ART_DIR}/lumaro.ico
         ${ART_DIR}/icons/256x256/apps/lumaro.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_DIR}
  COMMAND artgen ${ART_DIR} --sheet ${ART_DIR}/contact_sheet.png --mesh ${MESH_FILE} --icon ${ART_DIR}/lumaro.png
          --ico ${ART_DIR}/lumaro.ico --icons ${ART_DIR}/icons
  DEPENDS artgen ${MESH_FILE}
  COMMENT "Drawing the artwork")
# A target of its own, so users in other directories (the fuzz corpus) order after the
# drawing instead of looking for a rule to make the pictures themselves.
add_custom_target(artwork DEPENDS ${ART_FILES})

set(EMBED_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${EMBED_DIR}/assets/embedded_blocks.cpp ${EMBED_DIR}/assets/embedded_blocks.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${EMBED_DIR}/assets
  COMMAND embed ${EMBED_DIR}/assets/embedded_blocks.cpp ${EMBED_DIR}/assets/embedded_blocks.h ${EMBED_ARGS}
          EmbeddedOrnamentMesh=${MESH_FILE} EmbeddedIsoTables=${ISO_FILE}
  DEPENDS embed ${ART_FILES} ${MESH_FILE} ${ISO_FILE} ${CMAKE_SOURCE_DIR}/assets/art_manifest.h
  COMMENT "Embedding the artwork")

