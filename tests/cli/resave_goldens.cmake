# specbridge-cli resave end to end: marks set by lists and by double-clicks, against hand-worked files.
set(rs ${CMAKE_CURRENT_SOURCE_DIR}/data/resave)
specbridge_cli_golden(resave_column_and_row resave/three_tabs_column2_row1.txt
  resave ${rs}/three_tabs.txt --omit-rows 1 --omit-cols 2 -o @OUT@)
specbridge_cli_golden(resave_nothing_marked resave/ragged_all.txt resave ${rs}/ragged.txt -o @OUT@)
specbridge_cli_golden(resave_lists resave/ragged_column1_rows13.txt
  resave ${rs}/ragged.txt --omit-rows 1-3 --keep-rows 2 --omit-cols 1,2 --keep-cols 2 -o @OUT@)
specbridge_cli_golden(resave_double_clicks resave/ragged_column1_rows13.txt
  resave ${rs}/ragged.txt --dblclick 1,0 --dblclick 0,1 --dblclick 2,2 --dblclick 0,3 --dblclick 0,0 -o @OUT@)
