# The Debian packages, made by `cpack --config BUILD/CPackConfig.cmake`
# (docs/install.md).  Each install COMPONENT is one package:
#
#   saiha   → saiha          the command line saiha-calc, its manual pages and
#                            completions, the documentation and the examples
#                            (/usr/share/doc/saiha): no Qt, for a server
#   window  → saiha-window   the window saiha, its manual page, the desktop
#                            entry and icons; depends on saiha
#   python  → python3-saiha  the Python package under /usr/lib/python3/dist-packages
#   lib     → libsaiha1      the engine's shared library
#   dev     → libsaiha-dev   its headers, static library, CMake and pkg-config files
#
# A component no install() rule names has no package: the build without the
# engine library packages saiha and python3-saiha only, the build without the
# window no saiha-window.  The package saiha is the same in every build (the
# command line never links Qt), so the two builds' packages never differ
# under one name and version.  Included at the end
# of the top-level CMakeLists.txt, after every install() rule.
include(GNUInstallDirs)

set(SAIHA_PACKAGE_MAINTAINER "Saiha developers <saiha@example.org>"
    CACHE STRING "The Maintainer of the Debian packages and their changelog")

get_cmake_property(saiha_components COMPONENTS)
set(saiha_packages)
foreach(component IN ITEMS saiha window python lib dev)
  if(component IN_LIST saiha_components)
    list(APPEND saiha_packages ${component})
  endif()
endforeach()

# Every package's /usr/share/doc/PACKAGE: the licence as a machine-readable
# copyright file and the changelog in Debian's format (both required of
# every package); saiha also has the README and the changelog as written,
# docs/ and examples/ (the manual pages say where).
set(saiha_doc ${PROJECT_BINARY_DIR}/packaging)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(SAIHA_COPYRIGHT "${CMAKE_MATCH_1}")
# The licence text as a copyright file's field: each line one space in, an
# empty line as " .".
string(STRIP "${licence}" licence)
string(REGEX REPLACE "\n\n+" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " SAIHA_LICENSE_TEXT " ${licence}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${saiha_doc}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

add_custom_command(
  OUTPUT ${saiha_doc}/changelog.gz ${saiha_doc}/README.md.gz ${saiha_doc}/CHANGELOG.md.gz
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/CHANGELOG.md -DOUT=${saiha_doc}/changelog
          -DPACKAGE=saiha "-DMAINTAINER=${SAIHA_PACKAGE_MAINTAINER}"
          -P ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
          ${saiha_doc}
  COMMAND gzip -9nf changelog README.md CHANGELOG.md
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/README.md
          ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  WORKING_DIRECTORY ${saiha_doc}
  VERBATIM)
add_custom_target(saiha-package-docs ALL
  DEPENDS ${saiha_doc}/changelog.gz ${saiha_doc}/README.md.gz ${saiha_doc}/CHANGELOG.md.gz)

set(CPACK_DEBIAN_SAIHA_PACKAGE_NAME saiha)
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME saiha-window)
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-saiha)
set(CPACK_DEBIAN_LIB_PACKAGE_NAME libsaiha1)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libsaiha-dev)
foreach(component IN LISTS saiha_packages)
  string(TOUPPER ${component} upper)
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES ${saiha_doc}/copyright ${saiha_doc}/changelog.gz DESTINATION ${docdir}
          COMPONENT ${component})
endforeach()
install(FILES ${saiha_doc}/README.md.gz ${saiha_doc}/CHANGELOG.md.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/saiha COMPONENT saiha)
# The documentation as written, its pictures beside it, and the examples the
# README and docs/ run (the walk-through's profile and conditions, the cases,
# the scripts and the engine example).
file(GLOB saiha_doc_pages ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.png)
install(FILES ${saiha_doc_pages} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/saiha/docs
        COMPONENT saiha)
# The Python examples are run with the interpreter (.venv/bin/python
# examples/models.py), the shell ones as programs.
file(GLOB saiha_examples ${PROJECT_SOURCE_DIR}/examples/*.csv ${PROJECT_SOURCE_DIR}/examples/*.cpp
     ${PROJECT_SOURCE_DIR}/examples/*.py)
install(FILES ${saiha_examples} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/saiha/examples
        COMPONENT saiha)
file(GLOB saiha_example_scripts ${PROJECT_SOURCE_DIR}/examples/*.sh)
install(PROGRAMS ${saiha_example_scripts}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/saiha/examples COMPONENT saiha)
install(FILES ${PROJECT_SOURCE_DIR}/examples/engine_example/CMakeLists.txt
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/saiha/examples/engine_example
        COMPONENT saiha)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME saiha)
set(CPACK_PACKAGE_VENDOR "Saiha developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${SAIHA_PACKAGE_MAINTAINER}")
# Each package's summary is the first line of its CPACK_DEBIAN_*_DESCRIPTION
# (CPACK_PACKAGE_DESCRIPTION_SUMMARY would be put before it).
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL ${saiha_packages})
# RelWithDebInfo binaries without their debugging information.
set(CPACK_STRIP_FILES ON)
# The Python package under /usr: Debian's directory for packaged modules.
set(CPACK_CUSTOM_INSTALL_VARIABLES "SAIHA_PYTHON_INSTALL_DIR=lib/python3/dist-packages")

set(CPACK_DEB_COMPONENT_INSTALL ON)
# Descriptions below: the first line is the summary, an empty line a new
# paragraph; CPack indents them as a control file wants.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SAIHA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Each package's dependencies on shared libraries, by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_SAIHA_PACKAGE_SECTION science)
set(CPACK_DEBIAN_SAIHA_DESCRIPTION "refraction, shoaling and breaking of waves (command line)
Saiha computes how a regular wave refracts, shoals and breaks as it runs
up a beach of uniform slope with straight, parallel depth contours: the
breaking point and the wave at any depth, the cross-shore profile, breaker
and shoaling models side by side and the longshore sand transport; and
random waves on a plane slope (Goda) and across a measured profile.

This package has the command-line program saiha-calc, which computes one
wave per row of a CSV file, without Qt; the documentation and examples are
in /usr/share/doc/saiha. The calculation window is the package saiha-window.")
set(CPACK_DEBIAN_SAIHA_PACKAGE_SUGGESTS "saiha-window, python3-saiha")

if(window IN_LIST saiha_packages)
  set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_WINDOW_DESCRIPTION "refraction, shoaling and breaking of waves (window)
Saiha computes how a regular wave refracts, shoals and breaks as it runs
up a beach of uniform slope with straight, parallel depth contours: the
breaking point and the wave at any depth, the cross-shore profile, breaker
and shoaling models side by side and the longshore sand transport; and
random waves on a plane slope (Goda) and across a measured profile.

This package has the calculation window saiha (Qt) and its profile window.
The command-line program saiha-calc is the package saiha.")
  # The window's package brings the command line's, with the documentation.
  set(CPACK_COMPONENT_WINDOW_DEPENDS saiha)
  # Qt's platform plugins open the window; Qt's Japanese texts are its
  # dialogs' when the window is in Japanese, and the font draws them.
  set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS
      "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
endif()

set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_DESCRIPTION "regular-wave breaking and shoaling for NumPy and pandas
Saiha computes how a regular wave refracts, shoals and breaks as it runs
up a beach of uniform slope with straight, parallel depth contours.

This package has the Python 3 module saiha: the calculation over NumPy
arrays and pandas DataFrames, saiha.dask for Dask DataFrames and
saiha.plot for Matplotlib.")
# The compiled module is built for one interpreter version.
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)" _ "${SAIHA_PYTHON_VERSION}")
set(python_depends "python3-numpy, python3-pandas")
if(CMAKE_MATCH_0)
  math(EXPR next_minor "${CMAKE_MATCH_2} + 1")
  set(python_depends
      "python3 (>= ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}~), python3 (<< ${CMAKE_MATCH_1}.${next_minor}), ${python_depends}")
endif()
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${python_depends}")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-dask, python3-distributed, python3-matplotlib, python3-xarray")
set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/python3-saiha/postinst
    ${PROJECT_SOURCE_DIR}/packaging/python3-saiha/prerm)

if(lib IN_LIST saiha_packages)
  set(CPACK_DEBIAN_LIB_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_LIB_DESCRIPTION "regular-wave breaking and shoaling engine (shared library)
Saiha computes how a regular wave refracts, shoals and breaks as it runs
up a beach of uniform slope with straight, parallel depth contours.

This package has the engine's shared library.")
  # The shlibs file other packages' dpkg-shlibdeps read: a program built
  # against 1.1 needs at least 1.1.
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
  # ldconfig by its trigger, not called from maintainer scripts.
  set(CPACK_DEBIAN_LIB_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/libsaiha1/triggers)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/libsaiha1/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME libsaiha1 COMPONENT lib)
endif()
if(dev IN_LIST saiha_packages)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/libsaiha-dev/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME libsaiha-dev
          COMPONENT dev)
endif()
# A program or module linked against a shared library of the project (the
# engine's) needs libsaiha1 installed: dpkg-shlibdeps cannot say so, as the
# library is not installed where it runs.  saiha_shared_libraries(target out)
# lists the project's shared libraries the target links, directly or not.
function(saiha_shared_libraries target out)
  set(found)
  set(seen ${target})
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    set(links)
    foreach(property IN ITEMS LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(more ${current} ${property})
      if(more)
        list(APPEND links ${more})
      endif()
    endforeach()
    foreach(link IN LISTS links)
      # $<LINK_ONLY:x> and other wrappers around a target name.
      string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
      if(TARGET ${link} AND NOT link IN_LIST seen)
        list(APPEND seen ${link})
        get_target_property(aliased ${link} ALIASED_TARGET)
        if(aliased)
          set(link ${aliased})
        endif()
        # Imported targets (Qt, oneTBB) are other packages' libraries.
        get_target_property(imported ${link} IMPORTED)
        if(NOT imported)
          get_target_property(type ${link} TYPE)
          if(type STREQUAL "SHARED_LIBRARY")
            list(APPEND found ${link})
          endif()
          list(APPEND queue ${link})
        endif()
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
if(lib IN_LIST saiha_packages)
  foreach(pair IN ITEMS "SAIHA:saiha-calc" "WINDOW:saiha" "PYTHON:saiha_python")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 component)
    list(GET pair 1 target)
    if(TARGET ${target})
      saiha_shared_libraries(${target} shared)
      if(shared)
        list(APPEND CPACK_COMPONENT_${component}_DEPENDS lib)
        list(REMOVE_DUPLICATES CPACK_COMPONENT_${component}_DEPENDS)
      endif()
    endif()
  endforeach()
endif()

if(dev IN_LIST saiha_packages)
  set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_DEV_DESCRIPTION "regular-wave breaking and shoaling engine (development files)
Saiha computes how a regular wave refracts, shoals and breaks as it runs
up a beach of uniform slope with straight, parallel depth contours.

This package has the engine's C++ headers, its static library and its
CMake (find_package(Saiha), Saiha::engine) and pkg-config (saiha) files.")
  if(lib IN_LIST saiha_packages)
    set(CPACK_COMPONENT_DEV_DEPENDS lib)
  endif()
endif()

include(CPack)
