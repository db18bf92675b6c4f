# saiha-calc run as a program: exit status, standard output, standard error.
set(cli_data ${CMAKE_CURRENT_SOURCE_DIR}/data/saiha_calc)

function(saiha_calc_test name)
  add_test(NAME saiha_calc.${name}
    COMMAND ${CMAKE_COMMAND} -DBIN=$<TARGET_FILE:saiha-calc> ${ARGN}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/run_saiha_calc.cmake)
endfunction()
# The same with SAIHA_LANG=en: a test that reads saiha-calc's own messages in
# English (Japanese is the default of every message, usage errors included).
function(saiha_calc_test_en name)
  saiha_calc_test(${name} ${ARGN})
  set_tests_properties(saiha_calc.${name} PROPERTIES ENVIRONMENT SAIHA_LANG=en)
endfunction()
# Refused command lines, one test each: "name|arg|arg|...|reason", exit 2 with
# one line on standard error matching the reason and nothing on standard
# output.  A reason in English is read with SAIHA_LANG=en (Japanese is the
# default of every message).
function(saiha_calc_refusals prefix)
  foreach(case ${ARGN})
    string(REGEX MATCH "^[^|]+" name "${case}")
    string(REGEX REPLACE "^[^|]+[|](.*)[|][^|]+$" "\\1" args "${case}")
    string(REGEX MATCH "[^|]+$" reason "${case}")
    saiha_calc_test(${prefix}${name} "-DARGS=${args}" -DEXIT=2 -DSTDERR=one_line
      "-DSTDERR_REGEX=${reason}" "-DSTDOUT_REGEX=^$")
    string(REGEX REPLACE "[ -~]" "" japanese "${reason}")
    if(japanese STREQUAL "")
      set_tests_properties(saiha_calc.${prefix}${name} PROPERTIES ENVIRONMENT SAIHA_LANG=en)
    endif()
  endforeach()
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
# The failures' line, then the count of rows with warnings (the row whose
# depth reads "10 m"), which is there without --warnings too.
saiha_calc_test(mixed_rows_exit_one -DARGS=${cli_data}/mixed.csv -DEXIT=1 -DSTDERR=lines
  "-DSTDERR_REGEX=^saiha-calc: [0-9]+ 行中 [0-9]+ 行が計算できませんでした（最初：[0-9]+ 行目: [^\n]*\nsaiha-calc: 7 行中 1 行に警告があります（最初：7 行目）；--warnings で警告ビットの列を加えます\n$"
  -DSTDOUT_FILE=${cli_data}/mixed.expected.csv)
saiha_calc_test(examples -DARGS=${PROJECT_SOURCE_DIR}/examples/cases.csv -DEXIT=1
  -DSTDERR=lines -DSTDOUT_LINES_OF=${PROJECT_SOURCE_DIR}/examples/cases.csv
  "-DSTDERR_REGEX=^saiha-calc: 309 行中 9 行が計算できませんでした（最初：302 行目: 海底勾配の分母には")
# Columns beside the inputs pass through in their places, before the results.
saiha_calc_test(passthrough -DSTDIN=${cli_data}/passthrough.csv -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^id,Ho,T,alpha0,n,h,time,Hb,hb,[^\n]*,error\nA7,1,10,30,60,2.07,2020-01-01T00:00,1.71,2.07,0.82,8.18,44.44,")
saiha_calc_test_en(passthrough_duplicate "-DARGS=-o|${CMAKE_CURRENT_BINARY_DIR}/never.csv|${cli_data}/duplicate_column.csv"
  -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=column 'id' appears twice" "-DSTDOUT_REGEX=^$")
# -o: the file whole or not at all, also when the run is interrupted.
add_test(NAME saiha_calc.atomic_output
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/output_test.sh $<TARGET_FILE:saiha-calc>)
saiha_calc_test_en(missing_file -DARGS=${cli_data}/no-such-file.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=cannot open .*no-such-file.csv.*No such file" "-DSTDOUT_REGEX=^$")
saiha_calc_test(directory -DARGS=${cli_data} -DEXIT=2 -DSTDERR=one_line "-DSTDOUT_REGEX=^$")
saiha_calc_test_en(bad_header -DARGS=${cli_data}/bad_header.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=bad_header.csv.: line 1: unknown column 'H'" "-DSTDOUT_REGEX=^$")
# A malformed record further on: the rows before it are written.
saiha_calc_test_en(malformed -DSTDIN=${cli_data}/malformed.csv -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=standard input: line 3: malformed CSV"
  "-DSTDOUT_REGEX=^Ho,T,alpha0,n,h,[^\n]*\n1,10,30,60,2.07,1.71,[^\n]*\n$")
saiha_calc_test_en(empty_input -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=input is empty"
  "-DSTDOUT_REGEX=^$")
saiha_calc_test(unknown_option -DARGS=--frobnicate -DEXIT=2 -DSTDERR=one_line
  "-DSTDOUT_REGEX=^$")
saiha_calc_test(two_files "-DARGS=${cli_data}/defaults.csv|${cli_data}/mixed.csv" -DEXIT=2
  -DSTDERR=one_line "-DSTDOUT_REGEX=^$")
saiha_calc_test(progress_forced "-DARGS=--progress|-j|2|${cli_data}/defaults.csv" -DEXIT=0
  -DSTDOUT_FILE=${cli_data}/defaults.expected.csv "-DSTDERR_REGEX=1 rows.*100.0 %")

# The cross-shore profile.
set(wave "--Ho|1|--T|10|--alpha0|-30|--n|60")
saiha_calc_test(profile "-DARGS=profile|${wave}|--stations|20|--precision|full" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^x,h,rule,point,H,L,C,theta,a_bottom,u_bottom,a_surface,u_surface\n[^\n]*,linear,,.*,nonlinear,onset,.*,surf,breaking,[^\n]*-8.17962,.*")
saiha_calc_test(profile_bad_value "-DARGS=profile|--Ho|1|--T|10|--alpha0|30|--n|0" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=海底勾配の分母" "-DSTDOUT_REGEX=^$")
saiha_calc_test_en(profile_not_a_number "-DARGS=profile|--Ho|1x|--T|10|--alpha0|30|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=--Ho '1x' is not a number" "-DSTDOUT_REGEX=^$")
saiha_calc_test(profile_missing_option "-DARGS=profile|--Ho|1|--T|10|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=alpha0" "-DSTDOUT_REGEX=^$")
saiha_calc_test(profile_no_breaking_point "-DARGS=profile|--Ho|0.01|--T|20|--alpha0|0|--n|0.01"
  -DEXIT=1 -DSTDERR=one_line "-DSTDERR_REGEX=砕波点が" "-DSTDOUT_REGEX=^$")

# Models on the command line.  The default pair named outright gives today's bytes;
# McCowan's limit moves the breaking point (its values checked in batch_test).
saiha_calc_test(models_default_named
  "-DARGS=--breaker|goda1970|--shoaling|two-regime|${cli_data}/defaults.csv" -DEXIT=0
  -DSTDERR=empty -DSTDOUT_FILE=${cli_data}/defaults.expected.csv)
saiha_calc_test(models_mccowan "-DARGS=--breaker|mccowan|${cli_data}/defaults.csv" -DEXIT=0
  -DSTDERR=empty "-DSTDOUT_REGEX=\n1,10,30,60,2.13,1.66,2.13,0.78,[^\n]*,\n$")
saiha_calc_test(models_profile_shuto
  "-DARGS=--shoaling|shuto|profile|${wave}|--breaker|miche|--stations|20|--precision|full" -DEXIT=0
  -DSTDERR=empty "-DSTDOUT_REGEX=,linear,,.*,intermediate,onset,.*,nonlinear,,.*,2.0428662,surf,breaking,")

# compare: the header, the ten model rows in order, then the empirical row, which
# reproduces CEM Example Problem II-4-1 (1/100, 2 m, 10 s, normal incidence:
# Hb about 2.7 m at hb about 3.2 m; 2.68 m and 3.21 m to two decimals).  Every
# row ends with the wave's xi0 = 0.01/sqrt(2/156.131) = 0.088355 and its type.
set(rows "^breaker,shoaling,Hb,hb,gamma,theta_b,Q_m3_per_s,Q_m3_per_year,error,xi0,breaker_type\n")
set(surf ",0[.]08835[0-9]*,spilling\n")
foreach(breaker goda1970 goda2010 mccowan kamphuis miche)
  foreach(shoaling two-regime shuto)
    string(APPEND rows "${breaker},${shoaling},[0-9.]+,[0-9.]+,[0-9.]+,0,0,0,${surf}")
  endforeach()
endforeach()
string(APPEND rows "komar-gaughan,weggel,2[.]67[5-9][0-9]*,3[.]20[5-9][0-9]*,[0-9.]+,0,0,0,${surf}$")
saiha_calc_test_en(compare_cem_example "-DARGS=compare|--Ho|2|--T|10|--alpha0|0|--n|100|--precision|full" -DEXIT=0
  -DSTDERR=one_line "-DSTDERR_REGEX=^saiha-calc: 2 of 11 rows carry warnings [(]first: kamphuis,two-regime[)]" "-DSTDOUT_REGEX=${rows}")
# The transport options reach the CERC formula, Q with the sign of theta_b:
# 0.2*1025*sqrt(9.81) / (16*sqrt(0.7834263)*1625*1) * 2.7466643^2.5 * sin(-21.134332 deg)
# = -0.125777 m3/s, -3.96923e6 m3/year by hand.  A model without a breaking
# point (a low swell before a wall of slope 100:1) fills its error cell and
# the run exits 1, every row written; its wave still has
# xi0 = 100/sqrt(0.01/624.524) = 24990, surging.
saiha_calc_test(compare_transport_options
  "-DARGS=compare|--Ho|2|--T|10|--alpha0|-30|--n|100|--K|0.2|--porosity|0|--precision|full" -DEXIT=0
  -DSTDERR=one_line "-DSTDOUT_REGEX=\ngoda1970,two-regime,2.7466643,3.505964,0.7834263,-10.567166,-0[.]12577[0-9]*,-39692[0-9][0-9][.]?[0-9]*,${surf}")
saiha_calc_test(compare_row_fails "-DARGS=compare|--Ho|0.01|--T|20|--alpha0|0|--n|0.01|--precision|full" -DEXIT=1
  "-DSTDERR_REGEX=^saiha-calc: 11 行中 6 行が計算できませんでした（最初：goda1970,two-regime: 砕波点が"
  "-DSTDOUT_REGEX=\ngoda1970,two-regime,,,,,,,砕波点が[^\n]*\n.*komar-gaughan,weggel,0[.]05[^\n]*,,24990[.]48,surging\n$")

# What happens at the shoreline (values by hand in tests/shore/shoreline_test.cpp):
# the defaults, then the runup's own wave and slope, then a wave without a
# breaking point, which keeps xi0 and the runup.
saiha_calc_test(shore "-DARGS=shore|--Ho|2|--T|10|--alpha0|30|--n|100|--precision|full" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^quantity,value,unit,source\nHb,2.7466643,m,[^\n]*goda1970 with two-regime\n.*\nbreaker_type,spilling,-,Battjes.*\nR2,0[.]75985[0-9]*,m,Stockdon[^\n]*dissipative.*\nV,1[.]0948[0-9]*,m/s,Komar[^\n]*\n$")
saiha_calc_test(shore_runup_options
  "-DARGS=shore|--Ho|2|--T|10|--alpha0|-30|--n|100|--beta-f|0.1|--runup-Tp|5|--runup-H0|8|--breaker|mccowan|--precision|full"
  -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=mccowan.*\nrunup_H0,8,m,[^\n]*: given\nrunup_Tp,5,s,[^\n]*: given\nbeta_f,0.1,-,[^\n]*: given\n.*\nR2,0[.]75985[0-9]*,m,.*\nV,-")
# The sources say what the runup took when nothing was given; runup_fit which
# fit; swash_incident is empty on a dissipative beach by definition (exit 0).
saiha_calc_test(shore_runup_defaults "-DARGS=shore|--Ho|2|--T|10|--alpha0|30|--n|100|--warnings|--precision|full"
  -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^quantity,value,unit,source,warnings\n.*\nrunup_H0,2,m,[^\n]*the wave's Ho,0\nrunup_Tp,10,s,[^\n]*the wave's T,0\nbeta_f,0.01,-,[^\n]*the beach slope 1/n,0\nrunup_xi0,[^\n]*\nrunup_fit,dissipative,-,[^\n]*\nrunup_setup,[^\n]*\nswash_incident,,m,[^\n]*no incident part,0\n")
# A setdown larger than the rise (gamma 5.13 on 1/2): no setup, shift or
# maximum; exit 1 with the reason, and the warnings counted on standard error.
saiha_calc_test(shore_negative_setup "-DARGS=--lang|en|shore|--Ho|1|--T|10|--alpha0|30|--n|2|--warnings"
  -DEXIT=1
  "-DSTDERR_REGEX=^saiha-calc: The setdown at breaking outweighs[^\n]*\nsaiha-calc: 13 of 25 rows carry warnings [(]first: Hb[)]\n$"
  "-DSTDOUT_REGEX=\ngamma,5[.]13[0-9]*,-,[^\n]*,1\n.*\nsetdown_b,-1[.][0-9]+,m,[^\n]*,2049\n.*\nsetup_shoreline,,m,[^\n]*,2049\nshoreline_shift,,m,[^\n]*,2049\nsetup_max,,m,[^\n]*,2049\n")
# Without --warnings the count still comes; R2 below setup_max (3 m, 8 s).
saiha_calc_test(shore_runup_below_setup "-DARGS=--lang|en|shore|--Ho|3|--T|8|--alpha0|0|--n|100"
  -DEXIT=0 -DSTDERR=one_line
  "-DSTDERR_REGEX=^saiha-calc: 1 of 25 rows carry warnings [(]first: R2[)]; --warnings adds the column of their bits\n$"
  "-DSTDOUT_REGEX=^quantity,value,unit,source\n")
# CEM Example Problem II-4-2 end to end: the empirical breaking point gives
# setdown -0.14 m and 0.554 m of setup at the still-water line (manual: 0.56 m).
saiha_calc_test(shore_empirical_cem
  "-DARGS=shore|--Ho|2|--T|10|--alpha0|0|--n|100|--breaker|komar-gaughan|--shoaling|weggel|--precision|full"
  -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=\nHb,2[.]677[0-9]*,m,[^\n]*Komar and Gaughan[^\n]*\n.*\nsetdown_b,-0[.]1397[0-9]*,m,[^\n]*\nsetup_gradient,[^\n]*\nsetup_shoreline,0[.]5538[0-9]*,m,[^\n]*hb - setdown_b[^\n]*\n")
saiha_calc_test(shore_no_breaking_point "-DARGS=shore|--Ho|0.01|--T|20|--alpha0|0|--n|0.01|--precision|full" -DEXIT=1
  -DSTDERR=lines "-DSTDERR_REGEX=^saiha-calc: 砕波点が[^\n]*\nsaiha-calc: 25 行中 13 行に警告があります"
  "-DSTDOUT_REGEX=\nHb,,m,.*\nxi0,24990[.]48,-,.*\nsetdown_b,,m,.*\nR2,[0-9.]+,m,.*\nV,,m/s,")

# Bad names and parameters: one line naming the problem, nothing written, exit 2.
set(compare_wave "compare|--Ho|2|--T|10|--alpha0|30|--n|100")
saiha_calc_refusals(bad_
    "unknown_breaker|--breaker|Goda1970|${cli_data}/defaults.csv|unknown breaker limit 'Goda1970'. one of goda1970 [(]default[)], goda2010"
    "unknown_shoaling_profile|profile|${wave}|--shoaling|shuto1974|unknown shoaling rule 'shuto1974'. one of two-regime"
    "compare_K_zero|${compare_wave}|--K|0|--K: 漂砂量係数 K"
    "compare_K_not_a_number|${compare_wave}|--K|1x|--K '1x' is not a number"
    "compare_rho_s_below_rho|${compare_wave}|--rho|1100|--rho-s|1000|--rho-s: 底質の密度"
    "compare_porosity_one|${compare_wave}|--porosity|1|--porosity: 空隙率"
    "compare_porosity_negative|${compare_wave}|--porosity|-0.1|--porosity: 空隙率"
    "compare_bad_wave|compare|--Ho|2|--T|10|--alpha0|90|--n|100|波向αo には"
    "compare_with_breaker|--breaker|miche|${compare_wave}|--breaker does not go with compare: it shows every breaker limit"
    "shore_beta_f_zero|shore|--Ho|2|--T|10|--alpha0|30|--n|100|--beta-f|0|--beta-f: 前浜勾配"
    "shore_runup_Tp_negative|shore|--Ho|2|--T|10|--alpha0|30|--n|100|--runup-Tp|-1|--runup-Tp: 遡上高のピーク周期"
    "shore_bad_wave|shore|--Ho|2|--T|0|--alpha0|30|--n|100|周期T には"
    "shore_with_jobs|-j|2|shore|--Ho|2|--T|10|--alpha0|30|--n|100|--jobs does not go with shore: it computes one wave"
    "shore_empirical_with_shoaling|shore|--Ho|2|--T|10|--alpha0|0|--n|100|--breaker|komar-gaughan|--shoaling|shuto|--shoaling 'shuto' does not go with --breaker komar-gaughan"
    "shore_unknown_breaker|shore|--Ho|2|--T|10|--alpha0|0|--n|100|--breaker|empirical|unknown breaker limit 'empirical'"
    "line_break_in_value|profile|--Ho|1\n|--T|10|--alpha0|30|--n|60|--Ho '1[?]' is not a number"

    "from_too_large|profile|${wave}|--from|1e39|--from '1e39': 水深が大きすぎます"
    "Ho_too_large|profile|--Ho|1e308|--T|10|--alpha0|30|--n|60|--Ho '1e308' is too large"
    "Ho_infinite|shore|--Ho|inf|--T|10|--alpha0|30|--n|60|--Ho 'inf' is too large"
    "T_underflows|shore|--Ho|1|--T|1e-400|--alpha0|30|--n|60|--T '1e-400' is too small to be told from 0"
    "delimiter_unknown|--delimiter|:|${cli_data}/defaults.csv|--delimiter ':': one of"
    "decimal_comma_with_commas|--decimal-comma|shore|--Ho|1|--T|10|--alpha0|30|--n|60|--decimal-comma needs --delimiter"
    "K_overflows_every_row|${compare_wave}|--K|1e37|give a yearly transport beyond single precision"
    "from_x_overflows|profile|${wave}|--from|1e37|an x = n[*]h beyond single precision"
    "spacing_past_the_end|profile|${wave}|--from|1|--spacing|61|gives no stations")
# Interrupted runs: SIGPIPE into head, SIGINT mid-file.
add_test(NAME saiha_calc.interrupted
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/interrupt_test.sh $<TARGET_FILE:saiha-calc>)

# Goda's random-wave heights: rows of seas, a profile, and the steepness limit.
saiha_calc_test(random_rows "-DARGS=random" -DSTDIN=${cli_data}/random.csv -DEXIT=1
  -DSTDERR=one_line "-DSTDERR_REGEX=行が計算できませんでした"
  "-DSTDOUT_REGEX=^H0p,T13,n,h,Ks,H13,Hmax,error\n3,10,50,40,0.93,2.80,5.05,\n30,10,50,5,,,,沖波波形勾配[^\n]*\n$")
saiha_calc_test(random_profile "-DARGS=random|--profile|--H0p|3|--T13|10|--n|50|--stations|5"
  -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^x,h,point,Ks,H13,H13_term,Hmax,Hmax_term\n[^\n]*shoaling\n.*,breaking,[^\n]*,cap,[^\n]*\n")
# Very shallow seas: Ks empty where Shuto's law cannot be solved, every row
# computed, and the warning bits (8 above the depth, 64 h/H0p < 0.5, 1024 no
# Ks); a profile on 1/2 keeps its stations to the shoreline, flagged, and
# low swell on 1/5 finds its surf zone below h/L0 = 0.001.
saiha_calc_test(random_shallow_rows "-DARGS=--lang|en|random|--warnings"
  -DSTDIN=${cli_data}/random_shallow.csv -DEXIT=0 -DSTDERR=one_line
  "-DSTDERR_REGEX=^saiha-calc: 4 of 4 rows carry warnings [(]first: line 2[)]\n$"
  "-DSTDOUT_REGEX=^H0p,T13,n,h,Ks,H13,Hmax,error,warnings\n2,17,50,0.05,,0.49,0.90,,1096\n8,20,50,0.1,,1.30,2.37,,1096\n3,10,50,0.03,,0.42,0.76,,1096\n8,20,50,0.05,360.41,1.27,2.34,,72\n$")
saiha_calc_test_en(random_profile_warnings
  "-DARGS=random|--profile|--H0p|3|--T13|10|--n|2|--warnings|--precision|full" -DEXIT=0 -DSTDERR=one_line
  "-DSTDERR_REGEX=^saiha-calc: 200 of 200 rows carry warnings [(]first: h=3[.]283677[)]\n$"
  "-DSTDOUT_REGEX=^x,h,point,Ks,H13,H13_term,Hmax,Hmax_term,warnings\n.*,cap,73\n$")
saiha_calc_test_en(random_profile_swell "-DARGS=random|--profile|--H0p|0.1|--T13|20|--n|5|--stations|4|--warnings|--precision|full"
  -DEXIT=0 -DSTDERR=one_line "-DSTDERR_REGEX=rows carry warnings" "-DSTDOUT_REGEX=,breaking,[^\n]*,521\n")
saiha_calc_test(random_steep_profile "-DARGS=random|--profile|--H0p|30|--T13|10|--n|50"
  -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=0.142" "-DSTDOUT_REGEX=^$")
saiha_calc_test_en(warnings_column "-DARGS=--warnings|--breaker|kamphuis" -DSTDIN=${cli_data}/defaults.csv
  -DEXIT=0 -DSTDERR=one_line "-DSTDERR_REGEX=^saiha-calc: 1 of 1 rows carry warnings [(]first: line 2[)]\n$" "-DSTDOUT_REGEX=,error,warnings\n[^\n]*,,2\n$")
# The language of the error cells and of standard error: --lang, else
# SAIHA_LANG, else Japanese; --lang ja gives today's bytes whatever the
# environment says.
saiha_calc_test(lang_en_cells "-DARGS=--lang|en|${cli_data}/mixed.csv" -DEXIT=1 -DSTDERR=lines "-DSTDERR_REGEX=rows failed"
  "-DSTDOUT_REGEX=,Enter a number greater than 0 for the slope denominator n [^\n]*\n")
saiha_calc_test(lang_environment "-DARGS=profile|--Ho|-1|--T|10|--alpha0|30|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=: Enter a number greater than 0 for the deep-water" "-DSTDOUT_REGEX=^$")
saiha_calc_test(lang_option_over_environment "-DARGS=--lang|ja|${cli_data}/mixed.csv" -DEXIT=1
  -DSTDERR=lines "-DSTDERR_REGEX=行が計算できませんでした" -DSTDOUT_FILE=${cli_data}/mixed.expected.csv)
saiha_calc_test(lang_unknown "-DARGS=compare|--Ho|1|--T|10|--alpha0|30|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=SAIHA_LANG：言語 'english' はありません" "-DSTDOUT_REGEX=^$")
set_tests_properties(saiha_calc.lang_environment saiha_calc.lang_option_over_environment
  PROPERTIES ENVIRONMENT SAIHA_LANG=en)
set_tests_properties(saiha_calc.lang_unknown PROPERTIES ENVIRONMENT SAIHA_LANG=english)
# `cmake --install` puts the manual pages (compressed) and the completions in place.
add_test(NAME saiha_calc.installed_docs
  COMMAND bash -c "rm -rf \"$1\" && cmake --install \"$2\" --prefix \"$1\" >/dev/null &&
    zgrep -q '^[.]SH DESCRIPTION' \"$1/share/man/man1/saiha-calc.1.gz\" &&
    zgrep -q 'whole or not at all' \"$1/share/man/man1/saiha-calc.1.gz\" &&
    for mode in profile compare random shore transform; do
      zgrep -q '^[.]SH \"SHARED OPTIONS\"' \"$1/share/man/man1/saiha-calc-$mode.1.gz\" || exit 1; done &&
    test -f \"$1/share/zsh/vendor-completions/_saiha-calc\" &&
    bash -c 'source \"$0\" && complete -p saiha-calc' \"$1/share/bash-completion/completions/saiha-calc\""
    installed_docs ${CMAKE_CURRENT_BINARY_DIR}/installed ${PROJECT_BINARY_DIR})
# Every mode with every shared option, before and after the subcommand.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME saiha_calc.option_walk
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/option_walk.py $<TARGET_FILE:saiha-calc>)
# Every fault of an input, of -o and of the options the program checks, in
# the language --lang or SAIHA_LANG asks for, Japanese by default.
add_test(NAME saiha_calc.message_language
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/message_language_test.py
          $<TARGET_FILE:saiha-calc> ${cli_data}/transform_profile.csv)
# Every option of every mode in its manual page, its completions and docs/cli.md.
add_test(NAME saiha_calc.docs_list_every_option
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/docs_test.py $<TARGET_FILE:saiha-calc>
          ${PROJECT_BINARY_DIR}/cli/docs ${PROJECT_SOURCE_DIR}/docs/cli.md)
# compare FILE: one row per wave and model, the wave's own columns first.
saiha_calc_test_en(compare_file "-DARGS=compare|-|--precision|full" -DSTDIN=${cli_data}/passthrough.csv -DEXIT=0
  -DSTDERR=one_line "-DSTDERR_REGEX=^saiha-calc: 2 of 2 rows carry warnings"
  "-DSTDOUT_REGEX=^id,Ho,T,alpha0,n,h,time,breaker,shoaling,Hb,[^\n]*\nA7,1,10,30,60,,2020-01-01T00:00,goda1970,two-regime,1[.]7[^\n]*\n.*\nA7,[^\n]*,komar-gaughan,weggel,[^\n]*\n\"B,8\",2,8,0,100,3,x,goda1970,two-regime,2[.]5.*\n\"B,8\",[^\n]*,komar-gaughan,weggel,[^\n]*\n$")

# One thread and two alike for every FILE mode.
add_test(NAME saiha_calc.jobs_alike
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/jobs_test.sh $<TARGET_FILE:saiha-calc>)
# CSV from a spreadsheet with decimal commas: tabs in and out, commas in the
# numbers, a byte-order mark first; a decimal comma under the comma separator
# is a usage error.
string(ASCII 239 187 191 bom)
saiha_calc_test(tabs_decimal_comma
  "-DARGS=--delimiter|tab|--decimal-comma|--bom|${cli_data}/tabs.csv" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^${bom}id\tHo\tT\talpha0\tn\th\tHb\t[^\n]*\terror\nA\t1,5\t10\t30\t60\t2,78\t2,27\t2,78\t0,82\t")
saiha_calc_test_en(decimal_comma_needs_delimiter "-DARGS=--decimal-comma|${cli_data}/tabs.csv"
  -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=--decimal-comma needs --delimiter" "-DSTDOUT_REGEX=^$")
saiha_calc_test(compare_file_significant_warnings_en
  "-DARGS=compare|-|--height|significant|--warnings|--lang|en|-j|2" -DSTDIN=${cli_data}/passthrough.csv
  -DEXIT=0 -DSTDERR=one_line "-DSTDERR_REGEX=rows carry warnings [(]first: line 2[)]\n$"
  "-DSTDOUT_REGEX=^id,Ho,T,alpha0,n,h,time,breaker,[^\n]*,breaker_type,warnings\n")
saiha_calc_test_en(random_empty_input "-DARGS=random" -DEXIT=2 -DSTDERR=one_line
  "-DSTDERR_REGEX=the input is empty; its first row must name the columns H0p, T13, n and h")
saiha_calc_test(strict_unit "-DARGS=--strict|--lang|en" -DSTDIN=${cli_data}/mixed.csv -DEXIT=1
  -DSTDERR=one_line "-DSTDOUT_REGEX=\n\"1,5\",10,-30,60,10 m,,[^\n]*,\"The cell of Ho holds text after its number")
# A profile's warnings column: on 1/10 the heights from just seaward of the
# breaking point to the shoreline exceed the depth (8), the stations seaward
# of them do not; the count is on standard error with or without the column,
# and a gentle beach's profile has nothing to count.
saiha_calc_test_en(profile_warnings
  "-DARGS=profile|--Ho|1|--T|10|--alpha0|0|--n|10|--stations|5|--warnings|--precision|full" -DEXIT=0
  -DSTDERR=one_line "-DSTDERR_REGEX=^saiha-calc: 2 of 7 rows carry warnings [(]first: h=1[.]8793352[)]\n$"
  "-DSTDOUT_REGEX=,u_surface,warnings\n[^\n]*,linear,,[^\n]*,0\n.*,nonlinear,,1[.]99[^\n]*,8\n[^\n]*,surf,breaking,[^\n]*,8\n$")
saiha_calc_test_en(profile_warnings_counted_without_column
  "-DARGS=profile|--Ho|1|--T|10|--alpha0|0|--n|10|--stations|5" -DEXIT=0
  -DSTDERR=one_line "-DSTDERR_REGEX=2 of 7 rows carry warnings [(]first: h=1[.]8793352[)]; --warnings adds"
  "-DSTDOUT_REGEX=,u_surface\n")
saiha_calc_test(profile_gentle_beach_quiet
  "-DARGS=profile|--Ho|1|--T|10|--alpha0|0|--n|60|--warnings" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=,warnings\n")

# transform: random waves across a measured profile (a 1/25 plane beach of
# nine points with z before x and a column the reader ignores).  The long
# form: the boundary keeps the condition (h = tide - z, Hrms = Hrms0, Hm0 =
# sqrt(2)*Hrms, theta = theta0), the dune above the mean level is dry but
# keeps its depth; condition B (Tp 0) keeps its nine rows with its message
# and C still computes; the pass-through columns come first.
set(tprofile "--profile|${cli_data}/transform_profile.csv")
string(REPEAT "B,2020-01-01T01:00,[0-9]+,-?[0-9],,,,,,,,,,Enter a number greater than 0 for the wave period T[.]\n" 9 B_rows)
string(REPEAT "A,[^\n]*\n" 7 A_rows)
string(REPEAT "C,[^\n]*\n" 8 C_rows)
string(REPEAT "B,[^\n]*,Enter[^\n]*\n" 3 B_at)
saiha_calc_test(transform_long "-DARGS=transform|${tprofile}|--lang|en|${cli_data}/transform_conditions.csv"
  -DEXIT=1 -DSTDERR=one_line
  "-DSTDERR_REGEX=^saiha-calc: 1 of 3 rows failed [(]first: line 3: Enter a number greater than 0 for the wave period T[.][)]\n$"
  "-DSTDOUT_REGEX=^record,time,x,z,h,eta,Hrms,Hm0,H13,H2,Qb,theta,V,error\nA,2020-01-01T00:00,0,-7,7[.]50,0[.]00,1[.]00,1[.]41,[^\n]*,20[.]00,0[.]00,\n${A_rows}A,2020-01-01T00:00,200,1,-0[.]50,,,,,,,,,\n${B_rows}C,2020-01-01T02:00,0,-7,7[.]00,0[.]00,0[.]50,0[.]71,[^\n]*,-10[.]00,0[.]00,\n${C_rows}$")
# Hm0 in place of Hrms0 is the same sea; the one-condition form the same rows.
saiha_calc_test(transform_hm0 "-DARGS=transform|${tprofile}|${cli_data}/transform_hm0.csv" -DEXIT=0
  -DSTDERR=empty "-DSTDOUT_REGEX=^record,time,x,z,h,eta,Hrms,[^\n]*\nA,2020-01-01T00:00,0,-7,7[.]50,0[.]00,1[.]00,1[.]41,")
# --at: linear between neighbours (60 lies 2/5 of the way from 50 to 75), a
# point's own values on a point (175 is the last wet point: its H13 0.48),
# and no wave beyond the wet edge (190).
saiha_calc_test(transform_at
  "-DARGS=transform|${tprofile}|--at|60,175,190|--lang|en|${cli_data}/transform_conditions.csv"
  -DEXIT=1 -DSTDERR=one_line
  "-DSTDOUT_REGEX=^record,time,x,z,h,eta,[^\n]*\nA,2020-01-01T00:00,60,-4[.]60,5[.]10,[^\n]*,\nA,2020-01-01T00:00,175,0[.]00,0[.]50,0[.]12,0[.]36,0[.]51,0[.]48,0[.]58,1[.]00,[^\n]*,\nA,2020-01-01T00:00,190,0[.]60,-0[.]10,,,,,,,,,\n${B_at}C,")
# --summary: breaking sets in at the first point with Qb >= 0.01 (x = 100,
# h = tide - z = 3.5 for A); the mean shoreline lies on the dry slope between
# the last wet point and the dune.
saiha_calc_test(transform_summary
  "-DARGS=transform|${tprofile}|--summary|--precision|full|--warnings|${cli_data}/transform_conditions.csv"
  -DEXIT=1 -DSTDERR=one_line
  "-DSTDOUT_REGEX=^record,time,x_breaking,h_breaking,eta_max,x_shoreline,runup_H0,beta_f,R2,error,warnings\nA,2020-01-01T00:00,100,3[.]5,0[.]1[0-9]*,1[89][0-9][.][0-9]*,1[.]4[0-9]*,0[.]04,0[.][0-9]+,,0\nB,2020-01-01T01:00,,,,,,,,[^\n]+,0\nC,2020-01-01T02:00,125,2,[^\n]*,,0\n$")
saiha_calc_test(transform_one_condition
  "-DARGS=transform|${tprofile}|--Hrms0|1|--Tp|8|--theta0|20|--tide|0.5" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^x,z,h,eta,Hrms,Hm0,H13,H2,Qb,theta,V,error\n0,-7,7[.]50,0[.]00,1[.]00,1[.]41,.*\n200,1,-0[.]50,,,,,,,,,\n$")
# A profile or option that no condition can use: one line, exit 2, no output.
foreach(case
    "not_increasing|transform_profile_not_increasing.csv|line 4: x = 20 does not exceed the x before it"
    "one_point|transform_profile_one_point.csv|needs at least two points [(]it has 1[)]"
    "nan|transform_profile_nan.csv|line 3: z 'nan' is not a finite number"
    "unit|transform_profile_text.csv|line 3: z '-3 m' is not a finite number"
    "dry_boundary|transform_profile_dry.csv|lies at z = 0.5, not below the still-water datum: no water at the boundary"
    "header|transform_conditions.csv|line 1: the header lacks column 'x'"
    "missing|no-such-profile.csv|cannot open profile '[^']*no-such-profile.csv': No such file")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 file)
  list(GET parts 2 reason)
  saiha_calc_test(transform_profile_${name}
    "-DARGS=--lang|en|transform|--profile|${cli_data}/${file}|${cli_data}/transform_conditions.csv" -DEXIT=2
    -DSTDERR=one_line "-DSTDERR_REGEX=${reason}" "-DSTDOUT_REGEX=^$")
endforeach()
set(tfile "${cli_data}/transform_conditions.csv")
saiha_calc_refusals(transform_bad_
    "no_profile|transform|${tfile}|transform needs --profile FILE"
    "at_outside|transform|${tprofile}|--at|50,201|${tfile}|--at '201': outside the profile, x from 0 to 200"
    "at_not_a_number|transform|${tprofile}|--at|5x|${tfile}|--at '5x' is not a number"
    "dissipation|transform|${tprofile}|--dissipation|bj|${tfile}|unknown dissipation 'bj'"
    "gamma|transform|${tprofile}|--gamma|ruessink|${tfile}|--gamma 'ruessink': ruessink2003, battjes-stive1985 or a number"
    "alpha_zero|--lang|en|transform|${tprofile}|--alpha|0|${tfile}|Enter numbers greater than 0 for the transformation model's parameters"
    "gamma_negative|--lang|en|transform|${tprofile}|--gamma|-0.5|${tfile}|Enter numbers greater than 0 for the transformation"
    "with_breaker|transform|${tprofile}|--breaker|mccowan|${tfile}|--breaker does not go with transform: the energy balance has its own breaking"
    "hm0_and_hrms0|transform|--profile|${cli_data}/transform_profile.csv|--Hrms0|1|--Hm0|1|--Tp|8|--theta0|0|one of --Hrms0 and --Hm0"
    "one_condition_file|transform|${tprofile}|--Hrms0|1|--Tp|8|--theta0|0|${tfile}|FILE does not go with --Hrms0"
    "one_condition_jobs|-j|2|transform|${tprofile}|--Hrms0|1|--Tp|8|--theta0|0|--jobs does not go with one condition of transform"
    "one_condition_angle|--lang|en|transform|${tprofile}|--Hrms0|1|--Tp|8|--theta0|90|Enter a number"
    "header_not_conditions|transform|${tprofile}|${cli_data}/transform_profile.csv|line 1: column 'z' has the name of an output column"
    "header_both_heights|transform|${tprofile}|${cli_data}/transform_both_heights.csv|line 1: the header names both 'Hrms0' and 'Hm0'")
# Profiles and conditions beyond what the model takes: refused at once; a
# wind stress per row; the first Ctrl+C ends a long run.
add_test(NAME saiha_calc.transform_limits
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/transform_limits_test.sh $<TARGET_FILE:saiha-calc>
          ${cli_data}/transform_profile.csv)
set_tests_properties(saiha_calc.transform_limits PROPERTIES TIMEOUT 120)
# Hundreds of conditions: -j 2 as -j 1, the rows in input order, -o whole or
# not at all, --at against the long form, Hm0 against Hrms0.
add_test(NAME saiha_calc.transform_runs
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/transform_test.sh $<TARGET_FILE:saiha-calc>
          ${cli_data}/transform_profile.csv)

# The structure modes on bad input: clear errors, exit 1 or 2, nothing hangs.
add_test(NAME saiha_calc.structure_bad_input
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/structure_test.sh $<TARGET_FILE:saiha-calc>
          ${PROJECT_SOURCE_DIR}/examples/barred_profile.csv)
# -o against what ends a run from outside: a closed pipe on standard error,
# any catchable signal that ends the program, a read-only file.
add_test(NAME saiha_calc.output_signals
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/signals_test.sh $<TARGET_FILE:saiha-calc>)

# Cells that used to vanish or read as something else: a line of blanks or
# "" is a row with its message; Fortran's 1d-1 is flagged (128) and refused
# under --strict; a number beyond single precision is told so.
saiha_calc_test(blank_rows "-DARGS=--lang|en|${cli_data}/blank_rows.csv" -DEXIT=1 -DSTDERR=lines
  "-DSTDERR_REGEX=^saiha-calc: 2 of 4 rows failed [(]first: line 3: This line holds one field"
  "-DSTDOUT_REGEX=\n1,10,30,60,2.07,[^\n]*\n   ,,[^\n]*,\"This line holds one field where the header has 5 [^\n]*\n,,[^\n]*,\"This line holds one field[^\n]*\n1,10,30,60,2.07,[^\n]*\n$")
saiha_calc_test(fortran_exponent_flagged "-DARGS=--warnings|${cli_data}/fortran_exponent.csv"
  -DEXIT=0 -DSTDERR=one_line "-DSTDOUT_REGEX=\n1d-1,10,30,60,0.41,[^\n]*,,128\n$")
saiha_calc_test(fortran_exponent_strict "-DARGS=--lang|en|--strict|${cli_data}/fortran_exponent.csv"
  -DEXIT=1 -DSTDERR=one_line
  "-DSTDOUT_REGEX=\n1d-1,10,30,60,,,[^\n]*\"The cell of Ho holds text after its number[^\n]*not Fortran's 1d-1[)][.]\"\n$")
saiha_calc_test(beyond_single "-DARGS=--lang|en|${cli_data}/beyond_single.csv" -DEXIT=1 -DSTDERR=one_line
  "-DSTDOUT_REGEX=\n1e39,[^\n]*\"The value of Ho lies beyond single precision[^\n]*\ninf,[^\n]*\"The value of Ho lies beyond[^\n]*\n1,10,30,-Infinity,[^\n]*\"The value of n lies beyond[^\n]*\n1,10,30,60,1e39,[^\n]*The depth is too large")

# Usage errors: short, naming the option, in the language asked for.
saiha_calc_refusals(usage_
    "jobs_zero|--lang|en|-j|0|${cli_data}/defaults.csv|^saiha-calc: -j/--jobs '0': give the number of calculation threads as a whole number from 1 [(]default: every core[)] [(]see saiha-calc --help[)]\n$"
    "jobs_zero_hidden|--lang|en|shore|-j|0|--Ho|1|--T|10|--alpha0|0|--n|10|^saiha-calc: -j/--jobs '0': give the number"
    "precision_hidden|--lang|en|profile|--precision|x|--Ho|1|--T|10|--alpha0|0|--n|10|^saiha-calc: --precision 'x': shown [(]two decimals[)] or full"
    "stations_range|--lang|en|profile|--stations|0|--Ho|1|--T|10|--alpha0|0|--n|10|^saiha-calc: --stations '0': a whole number from 1 to 100000"
    "value_is_subcommand|--lang|en|-o|shore|--Ho|1|^saiha-calc: -o lacks its value [(]shore is the subcommand, not a value of -o[)]"
    "value_is_subcommand_ja|--lang|shore|--Ho|1|--T|10|--alpha0|0|--n|10|^saiha-calc: --lang に値がありません（shore はサブコマンドで"
    "option_before_subcommand|--lang|en|--Ho|1|shore|--T|10|--alpha0|0|--n|10|^saiha-calc: --Ho is an option of shore: give it after the subcommand"
    "unexpected_in_order|--lang|en|a.csv|b|c|d|^saiha-calc: unexpected arguments: 'b' 'c' 'd' [(]see"
    "flag_value|--lang|en|--warnings=abc|^saiha-calc: --warnings takes no value [(]'abc'[)]"
    "not_a_number_ja|profile|--Ho|1x|--T|10|--alpha0|30|--n|60|^saiha-calc: --Ho '1x' は数値ではありません\n$"
    "refused_ja|profile|-j|2|--Ho|1|--T|10|--alpha0|30|--n|60|^saiha-calc: --jobs は profile には使えません：")
saiha_calc_test(usage_saiha_lang "-DARGS=profile|--Ho|1x|--T|10|--alpha0|30|--n|60" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=^saiha-calc: --Ho '1x' is not a number\n$" "-DSTDOUT_REGEX=^$")
set_tests_properties(saiha_calc.usage_saiha_lang PROPERTIES ENVIRONMENT SAIHA_LANG=en)

# One precision rule: every mode two decimals by default, its full digits
# with --precision full.
saiha_calc_test(precision_profile_shown "-DARGS=profile|${wave}|--stations|3" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^x,h,[^\n]*\n548.38,9.14,linear,,0.95,88.86,8.89,-16.53,0.68,0.43,0.83,0.52\n")
saiha_calc_test(precision_compare_shown "-DARGS=compare|--Ho|2|--T|10|--alpha0|0|--n|100" -DEXIT=0
  "-DSTDOUT_REGEX=\nkomar-gaughan,weggel,2.68,3.21,0.84,0.00,0.00,0.00,,0.09,spilling\n$")
saiha_calc_test(precision_shore_full "-DARGS=shore|--Ho|2|--T|10|--alpha0|-30|--n|100|--precision|full"
  -DEXIT=0 "-DSTDOUT_REGEX=\nxi0,0.08835[0-9]*,-,")
saiha_calc_test(precision_shore_shown "-DARGS=shore|--Ho|2|--T|10|--alpha0|-30|--n|100"
  -DEXIT=0 "-DSTDOUT_REGEX=\nxi0,0.09,-,")
saiha_calc_test(precision_random_profile "-DARGS=random|--profile|--H0p|1|--T13|10|--n|50|--stations|2"
  -DEXIT=0 "-DSTDOUT_REGEX=^x,h,point,Ks,H13,H13_term,Hmax,Hmax_term\n[0-9]+[.][0-9][0-9],[0-9]+[.][0-9][0-9],,")

# --units: every column the mode reads or computes with its unit, those passed
# through as they are; shore has a unit column of its own.
saiha_calc_test(units_batch "-DARGS=--units|${cli_data}/units_passthrough.csv" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^id,Ho [[]m[]],T [[]s[]],alpha0 [[]degree[]],n [[]1[]],h [[]m[]],V,Hb [[]m[]],hb [[]m[]],gamma [[]1[]],theta_b [[]degree[]],L [[]m[]],theta [[]degree[]],C [[]m s-1[]],H [[]m[]],a_bottom [[]m[]],u_bottom [[]m s-1[]],a_surface [[]m[]],u_surface [[]m s-1[]],error\nA,1,10,30,60,2.07,x,1.71,")
saiha_calc_test(units_compare "-DARGS=--units|compare|--Ho|2|--T|10|--alpha0|0|--n|100|--delimiter|tab" -DEXIT=0
  "-DSTDOUT_REGEX=^breaker\tshoaling\tHb [[]m[]]\thb [[]m[]]\tgamma [[]1[]]\ttheta_b [[]degree[]]\tQ_m3_per_s [[]m3 s-1[]]\tQ_m3_per_year [[]m3 year-1[]]\terror\txi0 [[]1[]]\tbreaker_type\n")
saiha_calc_test(units_transform "-DARGS=--units|transform|--profile|${cli_data}/transform_profile.csv|--Hrms0|1|--Tp|8|--theta0|10|--summary"
  -DEXIT=0 "-DSTDOUT_REGEX=^x_breaking [[]m[]],h_breaking [[]m[]],eta_max [[]m[]],x_shoreline [[]m[]],runup_H0 [[]m[]],beta_f [[]1[]],R2 [[]m[]],error\n")
saiha_calc_test(units_shore_refused "-DARGS=--lang|en|--units|shore|--Ho|2|--T|10|--alpha0|0|--n|100" -DEXIT=2
  -DSTDERR=one_line "-DSTDERR_REGEX=--units does not go with shore: each of its rows gives its quantity's unit" "-DSTDOUT_REGEX=^$")
# Without --units the names stay as stored files and scripts know them.
saiha_calc_test(units_default "-DARGS=${cli_data}/units_passthrough.csv" -DEXIT=0 -DSTDERR=empty
  "-DSTDOUT_REGEX=^id,Ho,T,alpha0,n,h,V,Hb,hb,gamma,")

# Help screens wrapped to 80 columns off a terminal; man pages with examples.
add_test(NAME saiha_calc.help_wrapped
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/help_test.sh $<TARGET_FILE:saiha-calc>
          ${PROJECT_BINARY_DIR}/cli/docs)

# Scripts that read saiha-calc's own messages in English.
set_tests_properties(saiha_calc.interrupted saiha_calc.option_walk saiha_calc.transform_runs
  saiha_calc.transform_limits saiha_calc.structure_bad_input
  PROPERTIES ENVIRONMENT SAIHA_LANG=en)
saiha_calc_test(decimal_comma_needs_delimiter_ja "-DARGS=--decimal-comma|${cli_data}/tabs.csv"
  -DEXIT=2 -DSTDERR=one_line "-DSTDERR_REGEX=--decimal-comma には --delimiter ';' または --delimiter tab が必要です" "-DSTDOUT_REGEX=^$")
