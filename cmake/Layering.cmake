# The layers of the tree, held by the build.
#
# Sources include headers by their path from the repository root
# ("platform/gdi/Gdi.h", "camera/VideoStatic.h"), but no target sees the
# repository root. Each library gets an include root of its own in the build
# tree, build/include/<library>/, holding a symbolic link to each of its
# headers at that same path; the library declares the root PUBLIC, so a
# target sees exactly the headers of the libraries it links, directly or
# through their PUBLIC links. A header of a library it does not link is not
# found, and the include fails to compile.
#
# Why links in the build tree rather than folders rearranged as
# <library>/include/<path>: the include spelling and the place of every
# file stay as they are, and one folder can be shared out between libraries
# (the V4L2 capture source and its emulated device) or keep some headers
# private (GDI+'s cairo-backed objects) file by file.
#
# A library's private headers go to build/include/<library>-internal/,
# which only the library itself and what asks for it by name (its own tests,
# with inkveil_use_internals) see.

set(INKVEIL_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)
# Links of headers since moved or deleted must not linger from an earlier
# configure.
file(REMOVE_RECURSE ${INKVEIL_INCLUDE_ROOT})

# Links each file (absolute, or relative to the repository root) under
# build/include/<root>/ at its path from the repository root, and adds that
# root to the target's include directories with the given scope.
function(inkveil_expose target scope root)
  set(dir ${INKVEIL_INCLUDE_ROOT}/${root})
  file(MAKE_DIRECTORY ${dir})
  foreach(file IN LISTS ARGN)
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${file})
    get_filename_component(parent ${dir}/${rel} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${file} ${dir}/${rel} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${dir})
endfunction()

# Lets a target (a library's own tests or benchmarks) see the private
# headers of a library.
function(inkveil_use_internals target library)
  target_include_directories(${target} PRIVATE ${INKVEIL_INCLUDE_ROOT}/${library}-internal)
endfunction()

# inkveil_add_library(<name>
#     [FOLDERS folder...]          every .cpp and .h of these folders
#     [FILES file...]              and these single files
#     [EXCEPT file...]             less these (they belong to another library)
#     [PUBLIC_HEADERS header...]   when given, the only headers others see;
#                                  the rest are the library's own
#     [PUBLIC lib...] [PRIVATE lib...])
# A library of no sources becomes an interface library.
function(inkveil_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;FILES;EXCEPT;PUBLIC_HEADERS;PUBLIC;PRIVATE")
  set(sources)
  set(headers)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB found_cpp CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB found_h CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found_cpp})
    list(APPEND headers ${found_h})
  endforeach()
  foreach(file IN LISTS arg_FILES)
    if(file MATCHES "\\.cpp$")
      list(APPEND sources ${CMAKE_SOURCE_DIR}/${file})
    else()
      list(APPEND headers ${CMAKE_SOURCE_DIR}/${file})
    endif()
  endforeach()
  foreach(file IN LISTS arg_EXCEPT)
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${file})
    list(REMOVE_ITEM headers ${CMAKE_SOURCE_DIR}/${file})
  endforeach()
  set(internal)
  if(arg_PUBLIC_HEADERS)
    set(internal ${headers})
    set(headers)
    foreach(file IN LISTS arg_PUBLIC_HEADERS)
      list(APPEND headers ${CMAKE_SOURCE_DIR}/${file})
    endforeach()
    list(REMOVE_ITEM internal ${headers})
  endif()

  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
    inkveil_expose(${name} PUBLIC ${name} ${headers})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${arg_PUBLIC})
    inkveil_expose(${name} INTERFACE ${name} ${headers})
  endif()
  if(internal)
    inkveil_expose(${name} PRIVATE ${name}-internal ${internal})
  endif()
endfunction()
