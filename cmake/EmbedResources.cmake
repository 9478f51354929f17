# Compiles the program's resources into the program.
#
# res/resources.list names each resource file (kind, id or name, path under
# res/). At configure time this reads every listed file as hex and writes a
# C++ source holding the bytes and a table of them (res/EmbeddedFile.h);
# res/Registration.cpp decodes the table and registers every resource before
# main. Editing the list or any listed file makes the build configure again.
#
# inkveil_res is what programs and tests link. It wraps the archive
# inkveil_res_archive as a whole archive, because nothing calls into the
# archive by name: without that, the linker would leave out the object that
# registers the resources.

set(INKVEIL_RES_DIR ${CMAKE_SOURCE_DIR}/res)
set(INKVEIL_RES_LIST ${INKVEIL_RES_DIR}/resources.list)

# The bytes of one file as lines of C array elements, 16 bytes a line.
function(inkveil_hex_bytes path out)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "(................................)" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# Writes out_cpp with every file that list_file names.
function(inkveil_embed_resource_files list_file out_cpp)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
  file(STRINGS ${list_file} lines ENCODING UTF-8)
  set(arrays "")
  set(entries "")
  set(count 0)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(REGEX MATCHALL "[^ \t]+" fields "${line}")
    list(LENGTH fields field_count)
    if(NOT field_count EQUAL 3)
      message(FATAL_ERROR "${list_file}: expected \"kind name file\", found \"${line}\"")
    endif()
    list(GET fields 0 kind)
    list(GET fields 1 name)
    list(GET fields 2 file)
    if(NOT kind MATCHES "^(bitmap|cursor|icon)$")
      message(FATAL_ERROR "${list_file}: unknown kind \"${kind}\" in \"${line}\"")
    endif()
    if(NOT name MATCHES "^([1-9][0-9]*|[A-Za-z_][A-Za-z0-9_]*)$")
      message(FATAL_ERROR "${list_file}: \"${name}\" is neither an id nor a name")
    endif()
    if(NOT file MATCHES "^[A-Za-z0-9_./-]+$")
      message(FATAL_ERROR "${list_file}: \"${file}\" is not a plain relative path")
    endif()
    set(path ${INKVEIL_RES_DIR}/${file})
    if(NOT EXISTS ${path} OR IS_DIRECTORY ${path})
      message(FATAL_ERROR "${list_file}: no file ${path}")
    endif()
    file(SIZE ${path} size)
    if(size EQUAL 0)
      message(FATAL_ERROR "${list_file}: ${path} is empty")
    endif()
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    inkveil_hex_bytes(${path} bytes)
    string(APPEND arrays "// ${file}\nconst unsigned char kFile${count}[] = {\n${bytes}\n};\n\n")
    string(APPEND entries "    { \"${kind}\", \"${name}\", \"${file}\", kFile${count}, sizeof kFile${count} },\n")
    math(EXPR count "${count} + 1")
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "${list_file} lists no resources")
  endif()
  set(source "// Written by cmake/EmbedResources.cmake from res/resources.list; do not edit.\n\n")
  string(APPEND source "#include \"res/EmbeddedFile.h\"\n\nnamespace res {\n\nnamespace {\n\n${arrays}")
  string(APPEND source "} // namespace\n\nconst EmbeddedFile kEmbeddedFiles[] = {\n${entries}};\n")
  string(APPEND source "const std::size_t kEmbeddedFileCount = ${count};\n\n} // namespace res\n")
  # Written through configure_file so that an unchanged source keeps its
  # time stamp and is not compiled again.
  file(WRITE ${out_cpp}.in "${source}")
  configure_file(${out_cpp}.in ${out_cpp} COPYONLY)
endfunction()

set(INKVEIL_EMBEDDED_CPP ${CMAKE_BINARY_DIR}/res/EmbeddedFiles.cpp)
inkveil_embed_resource_files(${INKVEIL_RES_LIST} ${INKVEIL_EMBEDDED_CPP})

# The file formats, shared with the generator that writes the files.
inkveil_add_library(inkveil_res_formats FILES res/PointerFile.h res/PointerFile.cpp PUBLIC inkveil_window)

inkveil_add_library(inkveil_res_archive FOLDERS res EXCEPT res/PointerFile.h res/PointerFile.cpp
  PUBLIC inkveil_res_formats inkveil_window inkveil_gdi)
target_sources(inkveil_res_archive PRIVATE ${INKVEIL_EMBEDDED_CPP})

add_library(inkveil_res INTERFACE)
target_link_libraries(inkveil_res INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,inkveil_res_archive>")
