# saiha-calc run as a program: exit status, standard output, standard error.
set(cli_data ${CMAKE_CURRENT_SOURCE_DIR}/data/saiha_calc)

function(saiha_calc_test name)
  add_test(NAME saiha_calc.${name}
    COMMAND ${CMAKE_COMMAND} -DBIN=$<TARGET_FILE:saiha-calc> ${ARGN}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/run_saiha_calc.cmake)
endfunction()

saiha_calc_test(help -DARGS=--help -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=Usage: saiha-calc .*profile.*Ho,T,alpha0,n,h.*Exit status")
saiha_calc_test(version -DARGS=--version -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^saiha-calc ${PROJECT_VERSION}\n$")
saiha_calc_test(stdin_defaults -DSTDIN=${cli_data}/defaults.csv -DEXIT=0 -DSTDERR=empty
  -DSTDOUT_FILE=${cli_data}/defaults.expected.csv)
saiha_calc_test(dash_is_stdin -DARGS=- -DSTDIN=${cli_data}/defaults.csv -DEXIT=0
  -DSTDOUT_FILE=${cli_data}/defaults.expected.csv)
# BOM, CRLF, a blank line, quoted cells, failing rows and a short row.
saiha_calc_test(mixed_rows_exit_one -DARGS=${cli_data}/mixed.csv -DEXIT=1 -DSTDERR=empty
  -DSTDOUT_FILE=${cli_data}/mixed.expected.csv)
saiha_calc_test(examples -DARGS=${PROJECT_SOURCE_DIR}/examples/cases.csv -DEXIT=1
  -DSTDERR=empty -DSTDOUT_LINES_OF=${PROJECT_SOURCE_DIR}/examples/cases.csv)
saiha_calc_test(missing_file -DARGS=${cli_data}/no-such-file.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=cannot open .*no-such-file.csv.*No such file" "-DSTDOUT_REGEX=^$")
saiha_calc_test(directory -DARGS=${cli_data} -DEXIT=2 -DSTDERR=one_line "-DSTDOUT_REGEX=^$")
saiha_calc_test(bad_header -DARGS=${cli_data}/bad_header.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=bad_header.csv.: line 1: unknown column 'H'" "-DSTDOUT_REGEX=^$")
# A malformed record further on: the rows before it are written.
saiha_calc_test(malformed -DSTDIN=${cli_data}/malformed.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=standard input: line 3: malformed CSV"
  "-DSTDOUT_REGEX=^Ho,T,alpha0,n,h,[^\n]*\n1,10,30,60,2.07,1.71,[^\n]*\n$")
saiha_calc_test(empty_input -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=input is empty"
  "-DSTDOUT_REGEX=^$")
saiha_calc_test(unknown_option -DARGS=--frobnicate -DEXIT=2 -DSTDERR=one_line
  "-DSTDOUT_REGEX=^$")
saiha_calc_test(two_files "-DARGS=${cli_data}/defaults.csv|${cli_data}/mixed.csv" -DEXIT=2
  -DSTDERR=one_line "-DSTDOUT_REGEX=^$")
saiha_calc_test(progress_forced "-DARGS=--progress|-j|2|${cli_data}/defaults.csv" -DEXIT=0
  -DSTDOUT_FILE=${cli_data}/defaults.expected.csv "-DSTDERR_REGEX=1 rows.*100.0 %")

# The cross-shore profile.
set(wave "--Ho|1|--T|10|--alpha0|-30|--n|60")
saiha_calc_test(profile "-DARGS=profile|${wave}|--stations|20" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface\n[^\n]*,linear,,.*,nonlinear,onset,.*,surf,breaking,[^\n]*-8.17962,.*")
saiha_calc_test(profile_bad_value "-DARGS=profile|--Ho|1|--T|10|--alpha0|30|--n|0" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=海底勾配の分母" "-DSTDOUT_REGEX=^$")
saiha_calc_test(profile_not_a_number "-DARGS=profile|--Ho|1x|--T|10|--alpha0|30|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=--Ho '1x' is not a number" "-DSTDOUT_REGEX=^$")
saiha_calc_test(profile_missing_option "-DARGS=profile|--Ho|1|--T|10|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=alpha0" "-DSTDOUT_REGEX=^$")
saiha_calc_test(profile_no_breaking_point "-DARGS=profile|--Ho|0.01|--T|20|--alpha0|0|--n|60"
  -DEXIT=1 -DSTDERR=one_line "-DSTDERR_REGEX=砕波点が" "-DSTDOUT_REGEX=^$")
