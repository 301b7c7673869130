# Helpers shared by every folder of the project.

# Our own code builds with all warnings, and a warning fails the build. Only targets
# passed here get this; Qt's headers come in as system headers.
function(tavrik_warnings)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
  endforeach()
endfunction()

# A static library of ours: tavrik_library(<name> <sources>...). It sees the
# repository root (and the generated headers) as its include root.
function(tavrik_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PUBLIC tavrik_headers)
  tavrik_warnings(${name})
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

# One of the two programs:
#   tavrik_add_program(<name> SOURCES <files> LIBRARIES <targets> VERSION_TEMPLATE <file>)
# The executable lands in the shared output folder next to the files it ships with,
# which are brought up to date with it. The version header is configured from the
# template with the version of the calling folder's project(); it is generated under
# the same relative path as the template (vexo3/main/version.h.in gives
# "vexo3/main/version.h") and reaches every target that links <name>_version. The
# program's icons (resources/icons/<name>/) are built in, and its main() sees its
# desktop entry's name as TAVRIK_DESKTOP_ID.
function(tavrik_add_program name)
  cmake_parse_arguments(P "" "VERSION_TEMPLATE" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT P_VERSION_TEMPLATE OR NOT PROJECT_VERSION)
    message(FATAL_ERROR "tavrik_add_program(${name}): needs VERSION_TEMPLATE and a project() version")
  endif()

  file(RELATIVE_PATH rel ${Tavrik_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(header ${P_VERSION_TEMPLATE} NAME_WLE)
  configure_file(${P_VERSION_TEMPLATE} ${TAVRIK_GENERATED_DIR}/${rel}/${header} @ONLY)
  add_library(${name}_version INTERFACE)
  target_link_libraries(${name}_version INTERFACE tavrik_headers)

  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE ${name}_version ${P_LIBRARIES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVRIK_OUTPUT_DIR})
  add_dependencies(${name} shipped_files)
  tavrik_program_icons(${name} ${name})
  target_compile_definitions(${name} PRIVATE TAVRIK_DESKTOP_ID="${TAVRIK_APP_ID_PREFIX}.${name}")
  tavrik_warnings(${name})
endfunction()
