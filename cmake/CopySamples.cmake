# Copies the sample print forms into the program folder: every file of
# samples/<Kind>PrintSampleForm goes to Define/<Kind>PrintSampleForm, and,
# when that user folder holds no file of that name yet, to Define/<Kind>PrintForm.
file(GLOB kinds LIST_DIRECTORIES true ${SRC}/*PrintSampleForm)
foreach(dir ${kinds})
  get_filename_component(sample ${dir} NAME)
  string(REPLACE "PrintSampleForm" "PrintForm" user ${sample})
  file(GLOB files ${dir}/*)
  foreach(f ${files})
    get_filename_component(name ${f} NAME)
    file(COPY ${f} DESTINATION ${DST}/${sample})
    if(NOT EXISTS ${DST}/${user}/${name})
      file(COPY ${f} DESTINATION ${DST}/${user})
    endif()
  endforeach()
endforeach()
