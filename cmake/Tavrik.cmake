# Helpers shared by every folder of the project.

# Our own code builds with all warnings, and a warning fails the build. Only targets
# passed here get this; Qt's headers come in as system headers.
function(tavrik_warnings)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
  endforeach()
endfunction()

# Every target includes by path from the repository root ("shared/core/clock.h"), but
# sees only the folders it may use: each library has an include root of its own,
# build/include/<target>, holding a link to its own folder under that folder's path
# from the repository root, and passes it on to whoever links it. An include that
# runs the wrong way (shared code into a program, a control into a window) finds no
# such file and does not build.
#   tavrik_include_root(<target> <PUBLIC|PRIVATE|INTERFACE> [<folder>])
# <folder> defaults to the calling folder.
function(tavrik_include_root target visibility)
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARGC GREATER 2)
    set(folder ${ARGV2})
  endif()
  file(RELATIVE_PATH rel ${Tavrik_SOURCE_DIR} ${folder})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${rel} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${folder} ${root}/${rel} SYMBOLIC)
  target_include_directories(${target} ${visibility} ${root})
endfunction()

# Compiles a target's files a few at a time as one file (a unity build): the Qt headers
# nearly every file includes are read, and their inline code made, once for the group
# instead of once a file, which is most of the time a file takes. TAVRIK_UNITY=OFF
# compiles file by file (to check that every file includes what it uses). Files whose
# unnamed namespaces hold the same names cannot share a group: they get names of their
# own, or SKIP_UNITY_BUILD_INCLUSION.
option(TAVRIK_UNITY "Compile the files of our targets in groups (unity builds)" ON)
function(tavrik_unity target)
  if(TAVRIK_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
  endif()
endfunction()

# A static library of ours: tavrik_library(<name> <sources>...), its folder its
# include root.
function(tavrik_library name)
  add_library(${name} STATIC ${ARGN})
  tavrik_include_root(${name} PUBLIC)
  tavrik_warnings(${name})
  tavrik_unity(${name})
endfunction()

# The sizes each program's icon is drawn at, resources/icons/<program>/<size>.png (the
# image generator draws them).
set(TAVRIK_ICON_SIZES 16 24 32 48 64 128 256)
# Desktop entries, icons and AppStream data are named <prefix>.<program>.
set(TAVRIK_APP_ID_PREFIX org.example.tavrik)

# Puts a program's icons into a target's resources, under ":/icons/<program>/".
function(tavrik_program_icons target program)
  set(dir ${Tavrik_SOURCE_DIR}/resources/icons/${program})
  set(files "")
  foreach(size IN LISTS TAVRIK_ICON_SIZES)
    list(APPEND files ${dir}/${size}.png)
  endforeach()
  qt_add_resources(${target} ${target}_icons_${program} PREFIX /icons/${program} BASE ${dir} FILES ${files})
endfunction()

# A program's version header: tavrik_version_header(<name> <template>). The header is
# configured from the template with the version of the calling folder's project();
# it is generated under the same relative path as the template
# (vexo3/version.h.in gives "vexo3/version.h") and reaches every target that links
# <name>_version.
function(tavrik_version_header name template)
  if(NOT PROJECT_VERSION)
    message(FATAL_ERROR "tavrik_version_header(${name}): needs a project() version")
  endif()
  get_filename_component(template ${template} ABSOLUTE)
  get_filename_component(dir ${template} DIRECTORY)
  file(RELATIVE_PATH rel ${Tavrik_SOURCE_DIR} ${dir})
  get_filename_component(header ${template} NAME_WLE)
  set(root ${CMAKE_BINARY_DIR}/include/${name}_version)
  configure_file(${template} ${root}/${rel}/${header} @ONLY)
  add_library(${name}_version INTERFACE)
  target_include_directories(${name}_version INTERFACE ${root})
endfunction()

# One of the two programs:
#   tavrik_add_program(<name> SOURCES <files> LIBRARIES <targets> VERSION_TEMPLATE <file>)
# The executable lands in the shared output folder next to the files it ships with,
# which are brought up to date with it; its version header comes from
# tavrik_version_header(). The program's icons (resources/icons/<name>/) are built in,
# and its main() sees its desktop entry's name as TAVRIK_DESKTOP_ID.
function(tavrik_add_program name)
  cmake_parse_arguments(P "" "VERSION_TEMPLATE" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT P_VERSION_TEMPLATE)
    message(FATAL_ERROR "tavrik_add_program(${name}): needs VERSION_TEMPLATE")
  endif()
  tavrik_version_header(${name} ${P_VERSION_TEMPLATE})

  qt_add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE ${name}_version ${P_LIBRARIES})
  tavrik_include_root(${name} PRIVATE)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVRIK_OUTPUT_DIR})
  add_dependencies(${name} shipped_files)
  tavrik_program_icons(${name} ${name})
  target_compile_definitions(${name} PRIVATE TAVRIK_DESKTOP_ID="${TAVRIK_APP_ID_PREFIX}.${name}")
  tavrik_warnings(${name})
endfunction()

# Installing. One application folder holds both programs and every file they ship
# with (the programs find their files next to themselves); a launcher per program in
# the binary folder, and the desktop's pieces, the manual pages and the documentation
# under the data folder, as GNUInstallDirs names them.
include(GNUInstallDirs)
# The documentation folder is named after the package, in lower case as Debian has it,
# unless one was chosen.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
  set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tavrik)
endif()
# Always lib/tavrik, not CMAKE_INSTALL_LIBDIR: for the prefix /usr, Debian's is
# lib/<multiarch triplet>, the folder of shared libraries.
set(TAVRIK_INSTALL_APPDIR lib/tavrik)

# Hardening, as Debian builds its packages: the flags dpkg-buildflags gives for a
# build with all hardening features (fortified libc calls, the stack protector, format
# checks, relocations read-only and bound at start), or the same flags without it. The
# build type keeps its own optimisation and debug information. Sanitizer and fuzzing
# builds go without: fortified calls would bypass their checks.
option(TAVRIK_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
set(TAVRIK_HARDENED OFF)
if(TAVRIK_HARDENING AND NOT TAVRIK_FUZZ AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(TAVRIK_HARDENED ON)
  find_program(TAVRIK_DPKG_BUILDFLAGS dpkg-buildflags)
  mark_as_advanced(TAVRIK_DPKG_BUILDFLAGS)
  if(TAVRIK_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all $ENV{DEB_BUILD_MAINT_OPTIONS}"
                        ${TAVRIK_DPKG_BUILDFLAGS} --get ${kind}
                      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
      separate_arguments(_tavrik_${kind} UNIX_COMMAND "${flags}")
    endforeach()
  else()
    set(_tavrik_CPPFLAGS -D_FORTIFY_SOURCE=2)
    set(_tavrik_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
    set(_tavrik_LDFLAGS -Wl,-z,relro -Wl,-z,now)
  endif()
  list(FILTER _tavrik_CXXFLAGS EXCLUDE REGEX "^-(O|g|f[a-z-]*prefix-map)")
  foreach(flag IN LISTS _tavrik_CPPFLAGS _tavrik_CXXFLAGS)
    # glibc fortifies optimised code only (and warns without optimisation).
    if(flag MATCHES "^-D_FORTIFY_SOURCE")
      set(flag $<$<NOT:$<CONFIG:Debug>>:${flag}>)
    endif()
    add_compile_options(${flag})
  endforeach()
  add_link_options(${_tavrik_LDFLAGS})
endif()

# tavrik_install_program(<name>): installs a program built by tavrik_add_program into
# the application folder, with (under the folders of GNUInstallDirs)
#   bin/<command>                               a link to it; <command> is <name> in lower case
#   share/applications/<id>.desktop             from resources/desktop/<id>.desktop.in
#   share/metainfo/<id>.metainfo.xml            from resources/desktop/<id>.metainfo.xml.in
#   share/icons/hicolor/<N>x<N>/apps/<id>.png   from resources/icons/<name>/<N>.png
#   share/icons/hicolor/scalable/apps/<id>.svg  from resources/icons/<name>/scalable.svg
#   share/man/man1/<command>.1.gz               from docs/man/<command>.1.in
# where <id> is ${TAVRIK_APP_ID_PREFIX}.<name>. Call it in the program's folder, after
# its project(): the metainfo and the manual page take that project's version.
function(tavrik_install_program name)
  set(TAVRIK_ID ${TAVRIK_APP_ID_PREFIX}.${name})
  string(TOLOWER ${name} TAVRIK_COMMAND)
  set(desktop ${Tavrik_SOURCE_DIR}/resources/desktop)
  set(icons ${Tavrik_SOURCE_DIR}/resources/icons/${name})
  set(staged ${CMAKE_BINARY_DIR}/install-staged/${name})

  # Our libraries are static and Qt's are the system's: no run path is needed (and
  # qt_standard_project_setup() would otherwise ask for one).
  set_target_properties(${name} PROPERTIES INSTALL_RPATH "")
  install(TARGETS ${name} RUNTIME DESTINATION ${TAVRIK_INSTALL_APPDIR})
  # A stripped install (cpack, cmake --install --strip) also drops the compiler's
  # notes that a plain strip keeps, as Debian's packages do.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TAVRIK_INSTALL_APPDIR}/${name}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()
  ")

  # A relative link, so that the installed tree can move as a whole.
  file(RELATIVE_PATH target ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_BINDIR} ${CMAKE_BINARY_DIR}/${TAVRIK_INSTALL_APPDIR}/${name})
  file(MAKE_DIRECTORY ${staged})
  file(CREATE_LINK ${target} ${staged}/${TAVRIK_COMMAND} SYMBOLIC)
  install(FILES ${staged}/${TAVRIK_COMMAND} DESTINATION ${CMAKE_INSTALL_BINDIR})

  configure_file(${desktop}/${TAVRIK_ID}.metainfo.xml.in ${staged}/${TAVRIK_ID}.metainfo.xml @ONLY)
  install(FILES ${staged}/${TAVRIK_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  foreach(size IN LISTS TAVRIK_ICON_SIZES)
    install(FILES ${icons}/${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${TAVRIK_ID}.png)
  endforeach()
  install(FILES ${icons}/scalable.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TAVRIK_ID}.svg)

  # Compressed without name and time, as Debian's manual pages are: the same page
  # gives the same file.
  configure_file(${Tavrik_SOURCE_DIR}/docs/man/${TAVRIK_COMMAND}.1.in ${staged}/${TAVRIK_COMMAND}.1 @ONLY)
  execute_process(COMMAND gzip -9n -c ${staged}/${TAVRIK_COMMAND}.1 OUTPUT_FILE ${staged}/${TAVRIK_COMMAND}.1.gz
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${staged}/${TAVRIK_COMMAND}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # The desktop entry names the launcher by its full path, which is known only when
  # installing (cmake --install --prefix, or the package's /usr).
  install(CODE "
    set(TAVRIK_ID ${TAVRIK_ID})
    set(TAVRIK_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${TAVRIK_COMMAND}\")
    configure_file(\"${desktop}/${TAVRIK_ID}.desktop.in\" \"${staged}/${TAVRIK_ID}.desktop\" @ONLY)
    file(INSTALL \"${staged}/${TAVRIK_ID}.desktop\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  ")
  set_property(GLOBAL APPEND PROPERTY TAVRIK_INSTALLED_PROGRAMS ${name})
endfunction()
