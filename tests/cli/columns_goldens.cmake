# specbridge-cli columns end to end: sessions of the three windows against hand-worked files.
set(cols ${CMAKE_CURRENT_SOURCE_DIR}/data/columns)
specbridge_cli_golden(columns_spaces_to_tab columns/expected/irregular_blanks_tabs.txt
  columns ${cols}/irregular_blanks.txt --spaces-to-tab -o @OUT@)
specbridge_cli_golden(columns_session columns/expected/irregular_blanks_session.txt
  columns ${cols}/irregular_blanks.txt --spaces-to-tab --split
  --result-col 1 --first-col 1 --op1 times --const1 1000 --apply
  --result-col 2 --first-col 2 --op3 minus --second-col 1 --op2 / --const2 4 --second-term --apply
  --result-col 0 --first-col 0 --op1 - --const1 400 --no-second-term --apply --update -o @OUT@)
specbridge_cli_golden(columns_example_milli_absorbance columns/expected/two_spectra_mau.txt
  columns ${PROJECT_SOURCE_DIR}/examples/columns/two_spectra.txt --split --const1 1000
  --result-col 1 --first-col 1 --apply --result-col 2 --first-col 2 --apply --update --spaces-to-tab -o @OUT@)
specbridge_cli_golden(columns_example_baseline columns/expected/uv_blanks_baseline.txt
  columns ${PROJECT_SOURCE_DIR}/examples/columns/uv_blanks.txt --split --result-col 1 --first-col 1
  --op1 minus --box Edit1=0.05 --apply --update --spaces-to-tab -o @OUT@)
