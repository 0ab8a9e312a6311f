# Packing folder trees into zip archives and embedding them as resources of type "FILE".
set(LUMBRA_PACK_ZIP ${CMAKE_SOURCE_DIR}/payload/pack_zip.py)

# lumbra_pack_archive(<out.zip> [FOLDERS_LAST] [TREES dir...] [FILES src=name...] [DEPENDS x...]
#                     [MANIFEST <out.txt> RESOURCE <name>])
# Deterministic: the same inputs always give a byte-identical archive. The manifest lists what went in
# (names, sizes, CRCs, times, attributes), so tests can check an unpacking without any zip reader.
function(lumbra_pack_archive out)
  cmake_parse_arguments(P "FOLDERS_LAST" "MANIFEST;RESOURCE" "TREES;FILES;DEPENDS" ${ARGN})
  set(args --out ${out})
  set(outputs ${out})
  if(P_MANIFEST)
    list(APPEND args --manifest ${P_MANIFEST} --resource ${P_RESOURCE})
    list(APPEND outputs ${P_MANIFEST})
  endif()
  set(deps ${LUMBRA_PACK_ZIP} ${P_DEPENDS})
  foreach(tree ${P_TREES})
    list(APPEND args --tree ${tree})
    file(GLOB_RECURSE tree_files CONFIGURE_DEPENDS ${tree}/*)
    list(APPEND deps ${tree_files})
  endforeach()
  foreach(file_arg ${P_FILES})
    list(APPEND args --file ${file_arg})
    string(REGEX REPLACE "=.*$" "" src "${file_arg}")
    list(APPEND deps ${src})
  endforeach()
  if(P_FOLDERS_LAST)
    list(APPEND args --folders-last)
  endif()
  get_filename_component(name ${out} NAME)
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${Python3_EXECUTABLE} ${LUMBRA_PACK_ZIP} ${args}
    DEPENDS ${deps}
    COMMENT "Packing ${name}"
    VERBATIM)
endfunction()

# lumbra_add_payload(<target> DIR <folder> [FOLDERS_LAST res...] [ADD res|src|name ...] [DEPENDS x...])
# Makes an object library <target> whose resources are one archive per subfolder of <folder> (the
# subfolder's name is the resource name) plus the files given with ADD (built files such as the
# viewer). Resources are of type "FILE", language 1033.
function(lumbra_add_payload target)
  cmake_parse_arguments(P "" "DIR" "FOLDERS_LAST;ADD;DEPENDS" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target})
  file(MAKE_DIRECTORY ${out_dir})

  set(resources)
  if(P_DIR)
    file(GLOB children CONFIGURE_DEPENDS LIST_DIRECTORIES true ${P_DIR}/*)
    foreach(child ${children})
      if(IS_DIRECTORY ${child})
        get_filename_component(res ${child} NAME)
        list(APPEND resources ${res})
        set(trees_${res} ${child})
      endif()
    endforeach()
  endif()
  foreach(add ${P_ADD})
    string(REPLACE "|" ";" parts "${add}")
    list(GET parts 0 res)
    list(GET parts 1 src)
    list(GET parts 2 name)
    list(APPEND resources ${res})
    list(APPEND files_${res} "${src}=${name}")
  endforeach()
  list(REMOVE_DUPLICATES resources)
  list(SORT resources)

  set(rc ${out_dir}/payload.rc)
  set(rc_text "// Generated: one zip archive per resource, type FILE, language 1033.\nLANGUAGE 9, 1\n")
  set(zips)
  set(manifests)
  foreach(res ${resources})
    set(zip ${out_dir}/${res}.zip)
    set(opts)
    if(res IN_LIST P_FOLDERS_LAST)
      set(opts FOLDERS_LAST)
    endif()
    lumbra_pack_archive(${zip} ${opts} TREES ${trees_${res}} FILES ${files_${res}} DEPENDS ${P_DEPENDS}
      MANIFEST ${out_dir}/${res}.txt RESOURCE ${res})
    list(APPEND zips ${zip})
    list(APPEND manifests ${out_dir}/${res}.txt)
    string(APPEND rc_text "${res} FILE \"${zip}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${rc} CONTENT "${rc_text}")

  # Every archive's manifest in one file: what a launcher around this payload must unpack.
  set(archive_list ${out_dir}/archives.txt)
  add_custom_command(OUTPUT ${archive_list}
    COMMAND ${CMAKE_COMMAND} -E cat ${manifests} > ${archive_list}
    DEPENDS ${manifests}
    COMMENT "Listing ${target}'s archives")

  add_custom_target(${target}_archives DEPENDS ${zips} ${archive_list})
  add_library(${target} OBJECT ${rc})
  add_dependencies(${target} ${target}_archives)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${zips}")
  set_property(TARGET ${target} PROPERTY LUMBRA_RESOURCE_NAMES "${resources}")
  set_property(TARGET ${target} PROPERTY LUMBRA_ARCHIVE_LIST "${archive_list}")
endfunction()
