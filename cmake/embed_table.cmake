# Turns the volume table CSV into a C++ source with the cells as a constant array.
# Usage: cmake -DCSV=... -DOUT=... -P embed_table.cmake
file(STRINGS "${CSV}" lines)
list(LENGTH lines count)
if(NOT count EQUAL 94)
  message(FATAL_ERROR "${CSV}: expected 94 lines, found ${count}")
endif()
list(GET lines 0 header)
string(REPLACE "," ";" header "${header}")
list(REMOVE_AT header 0)
list(LENGTH header ncols)
if(NOT ncols EQUAL 116)
  message(FATAL_ERROR "${CSV}: expected 116 lengths, found ${ncols}")
endif()
string(REPLACE ";" ", " lengths "${header}")
set(body "")
set(diameters "")
list(REMOVE_AT lines 0)
foreach(line IN LISTS lines)
  string(REPLACE "," ";" cells "${line}")
  list(GET cells 0 d)
  list(REMOVE_AT cells 0)
  list(LENGTH cells n)
  if(NOT n EQUAL 116)
    message(FATAL_ERROR "${CSV}: diameter ${d} has ${n} cells")
  endif()
  string(REPLACE ";" "," row "${cells}")
  string(APPEND body "    {${row}},\n")
  string(APPEND diameters "${d}, ")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated from the volume table CSV at build time. Do not edit.\n"
  "#include \"table/volume_table_data.h\"\n"
  "namespace lumora::tabledata {\n"
  "const int kCsvLengthsCm[116] = {${lengths}};\n"
  "const int kCsvDiametersCm[93] = {${diameters}};\n"
  "const int32_t kCells[93][116] = {\n${body}};\n"
  "}\n")
file(RENAME "${OUT}.tmp" "${OUT}")
