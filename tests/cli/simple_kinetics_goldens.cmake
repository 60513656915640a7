# specbridge-cli simple-kinetics end to end: each run against a hand-worked file.
set(sk ${CMAKE_CURRENT_SOURCE_DIR}/data/simple_kinetics)
specbridge_cli_golden(simple_kinetics_defaults simple_kinetics/expected/five_wavelengths.txt
  simple-kinetics ${sk}/five_wavelengths.ASC -o @OUT@)
specbridge_cli_golden(simple_kinetics_range_and_rules simple_kinetics/expected/twenty_wavelengths_403_to_411.5_runs_1_3.txt
  simple-kinetics ${sk}/twenty_wavelengths.ASC --min 403 --max 411.5 --every-run-to 1 --every2-to 3 -o @OUT@)
# A --box rule presses too; the every-run section 2 .. 3 of four runs.
specbridge_cli_golden(simple_kinetics_box_rule simple_kinetics/expected/cli_five_wavelengths_runs_2_3.txt
  simple-kinetics ${sk}/five_wavelengths.ASC --box Edit3=2 --every-run-to 3 -o @OUT@)
# The second press reads the retyped boxes over the marks of the first.
specbridge_cli_golden(simple_kinetics_exclude_again simple_kinetics/expected/twenty_wavelengths_403_to_411.5_runs_1_3.txt
  simple-kinetics ${sk}/twenty_wavelengths.ASC --every-run-to 3 --min 403 --max 411.5 --exclude-again Edit4=1,Edit5=3 -o @OUT@)
specbridge_cli_golden(simple_kinetics_exclude_again_twice simple_kinetics/expected/cli_twenty_wavelengths_403_to_411.5_run_1.txt
  simple-kinetics ${sk}/twenty_wavelengths.ASC --min 403 --max 411.5 --exclude-again Edit4=1,Edit5=3
  --exclude-again Edit5=NONE -o @OUT@)
