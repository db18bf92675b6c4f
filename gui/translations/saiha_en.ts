<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>saiha::gui::Language</name>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>saiha::help::HelpWindow</name>
    <message>
        <source>ヘルプ — 砕波の計算</source>
        <translation>Help — Wave Breaking</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)...</source>
        <translation>&amp;Help...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>saiha::profile::CaissonDiagram</name>
    <message>
        <source>静水面</source>
        <translation>Still water level</translation>
    </message>
</context>
<context>
    <name>saiha::profile::CaseFile</name>
    <message>
        <source>ケースファイルの %1 の値 &quot;%2&quot; はこのプログラムにはありません．</source>
        <translation>The case file&apos;s %1 holds &quot;%2&quot;, which this program does not know.</translation>
    </message>
    <message>
        <source>ケースファイルの %1 がないか，その型が違います．</source>
        <translation>The case file&apos;s %1 is missing or of the wrong type.</translation>
    </message>
    <message>
        <source>ケースファイルとして読めません（JSON の誤り: %1，%2 バイト目）．</source>
        <translation>This cannot be read as a case file (JSON error: %1, at byte %2).</translation>
    </message>
    <message>
        <source>砕波の計算のケースファイルではありません．</source>
        <translation>This is not a Wave Breaking case file.</translation>
    </message>
    <message>
        <source>ケースファイルの version がないか，その型が違います．</source>
        <translation>The case file&apos;s version is missing or of the wrong type.</translation>
    </message>
    <message>
        <source>このケースファイルは新しい形式（version %1）で書かれています．このプログラムが読めるのは version %2 までです．</source>
        <translation>This case file is written in a newer format (version %1); this program reads up to version %2.</translation>
    </message>
</context>
<context>
    <name>saiha::profile::ComparisonModel</name>
    <message>
        <source>モデル</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Q (m³/年)</source>
        <translation>Q (m³/yr)</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>砕波形式</source>
        <translation>Breaker type</translation>
    </message>
    <message>
        <source>沖波のサーフシミラリティー・パラメータ（イリバーレン数）ξ0 = tanβ/√(Ho/Lo) と Battjes (1974) の砕波形式．波と海底勾配だけで決まり，どの行も同じです．</source>
        <translation>Deep-water surf similarity ξ0 = tanβ/√(Ho/Lo) and the breaker type after Battjes (1974). They depend only on the wave and the bottom slope, so every row shows the same.</translation>
    </message>
</context>
<context>
    <name>saiha::profile::ExportDialog</name>
    <message>
        <source>図を書き出す</source>
        <translation>Export Chart</translation>
    </message>
    <message>
        <source>PNG 画像</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>SVG 画像（ベクター）</source>
        <translation>SVG image (vector)</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>A4 の幅（210 mm）</source>
        <translation>A4 width (210 mm)</translation>
    </message>
    <message>
        <source>レターの幅（8.5 in）</source>
        <translation>Letter width (8.5 in)</translation>
    </message>
    <message>
        <source>任意の大きさ</source>
        <translation>Custom size</translation>
    </message>
    <message>
        <source>形式(&amp;F):</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>大きさ(&amp;S):</source>
        <translation>&amp;Size:</translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>解像度 (dpi)(&amp;D):</source>
        <translation>&amp;Density (dpi):</translation>
    </message>
</context>
<context>
    <name>saiha::profile::MeasuredProfileModel</name>
    <message>
        <source>Battjes・Janssen (1978)</source>
        <translation>Battjes &amp; Janssen (1978)</translation>
    </message>
    <message>
        <source>Thornton・Guza (1983)</source>
        <translation>Thornton &amp; Guza (1983)</translation>
    </message>
    <message>
        <source>Baldock ほか (1998)</source>
        <translation>Baldock et al. (1998)</translation>
    </message>
    <message>
        <source>Janssen・Battjes (2007)</source>
        <translation>Janssen &amp; Battjes (2007)</translation>
    </message>
    <message>
        <source>Ruessink ほか (2003)：局所の kd</source>
        <translation>Ruessink et al. (2003): local kd</translation>
    </message>
    <message>
        <source>Duck：0.0125 m</source>
        <translation>Duck: 0.0125 m</translation>
    </message>
    <message>
        <source>Egmond：0.022 m</source>
        <translation>Egmond: 0.022 m</translation>
    </message>
    <message>
        <source>Battjes・Stive (1985)：沖波波形勾配</source>
        <translation>Battjes &amp; Stive (1985): deep-water steepness</translation>
    </message>
    <message>
        <source>潮位</source>
        <translation>tide</translation>
    </message>
    <message>
        <source>沖側境界（%1 行目）: x = %2 m，z = %3 m，潮位 %4 m で静水深 h = %5 m，Hrms0 = %6 m</source>
        <translation>Offshore boundary (line %1): x = %2 m, z = %3 m; with the tide at %4 m the still-water depth is h = %5 m; Hrms0 = %6 m</translation>
    </message>
    <message>
        <source>砕波開始 x = %1 m（h = %2 m）&#x3000;最大水位上昇 ηmax = %3 m&#x3000;平均汀線 x = %4 m&#x3000;2% 遡上高 R2% = %5 m</source>
        <translation>Breaking onset x = %1 m (h = %2 m)   max. setup ηmax = %3 m   mean shoreline x = %4 m   runup R2% = %5 m</translation>
    </message>
    <message>
        <source>x = %1 m&#x3000;z = %2 m&#x3000;h = %3 m&#x3000;η = %4 m&#x3000;Hrms = %5 m&#x3000;H1/3 = %6 m&#x3000;Qb = %7&#x3000;V = %8 m/s</source>
        <translation>x = %1 m  z = %2 m  h = %3 m  η = %4 m  Hrms = %5 m  H1/3 = %6 m  Qb = %7  V = %8 m/s</translation>
    </message>
</context>
<context>
    <name>saiha::profile::MeasuredProfileView</name>
    <message>
        <source>砕波開始: Qb が 0.01 以上になる最初の断面点．ηmax: 水のある点での平均水位の最大．
平均汀線: 汀線での平均水位が海底と交わる点．R2%: Stockdon et al. (2006)，静水位から</source>
        <translation>Breaking onset: the first profile point with Qb of 0.01 or more. ηmax: the highest mean water level over the wet points.
Mean shoreline: where the mean water level at the edge meets the bed. R2%: Stockdon et al. (2006), above the still-water level</translation>
    </message>
    <message>
        <source>沖側境界の波は入力した値です．</source>
        <translation>The sea at the offshore boundary is as typed.</translation>
    </message>
    <message>
        <source>沖側境界の波は計算ウィンドウの波から: Hrms0 = Ho/√2（Ho を有義波高 Hm0 とみなす），Tp = T，θ0 = αo，潮位 0．値を入力するとその値で計算します．</source>
        <translation>The sea at the offshore boundary follows the calculation window&apos;s wave: Hrms0 = Ho/√2 (Ho taken as the significant height Hm0), Tp = T, θ0 = αo, tide 0. Type a value to compute with it instead.</translation>
    </message>
    <message>
        <source>Hrms0 (m)(&amp;R):</source>
        <translation>H&amp;rms0 (m):</translation>
    </message>
    <message>
        <source>沖側境界の自乗平均平方根波高．既定は計算ウィンドウの Ho を有義波高 Hm0 とみなした Ho/√2</source>
        <translation>Root-mean-square height at the offshore boundary. By default Ho/√2, the calculation window&apos;s Ho taken as the significant height Hm0</translation>
    </message>
    <message>
        <source>Tp (s)(&amp;P):</source>
        <translation>T&amp;p (s):</translation>
    </message>
    <message>
        <source>ピーク周期．既定は T</source>
        <translation>Peak period. By default T</translation>
    </message>
    <message>
        <source>θ0 (°)(&amp;D):</source>
        <translation>&amp;Direction θ0 (°):</translation>
    </message>
    <message>
        <source>沖側境界での波向（汀線の法線から）．既定は αo</source>
        <translation>Wave direction at the offshore boundary (from the shore normal). By default αo</translation>
    </message>
    <message>
        <source>潮位 (m)(&amp;T):</source>
        <translation>&amp;Tide (m):</translation>
    </message>
    <message>
        <source>基準面からの静水位．静水深 h = 潮位 − z</source>
        <translation>Still-water level above the datum; still-water depth h = tide − z</translation>
    </message>
    <message>
        <source>砕波減衰(&amp;B):</source>
        <translation>&amp;Breaking dissipation:</translation>
    </message>
    <message>
        <source>砕波パラメータ γ(&amp;A):</source>
        <translation>Breaker p&amp;arameter γ:</translation>
    </message>
    <message>
        <source>底面粗度 ka(&amp;U):</source>
        <translation>Bed ro&amp;ughness ka:</translation>
    </message>
    <message>
        <source>沿岸流の底面摩擦の見かけの粗度．Ruessink ほか (2001) が Duck と Egmond で求めた値</source>
        <translation>The apparent roughness of the longshore current&apos;s bed friction: the values Ruessink et al. (2001) fitted at Duck and at Egmond</translation>
    </message>
    <message>
        <source>Hrms</source>
        <translation>Hrms</translation>
    </message>
    <message>
        <source>H1/3</source>
        <translation>H1/3</translation>
    </message>
    <message>
        <source>平均水位 η</source>
        <translation>Mean water level η</translation>
    </message>
    <message>
        <source>砕波率 Qb</source>
        <translation>Fraction breaking Qb</translation>
    </message>
    <message>
        <source>沿岸流速 V</source>
        <translation>Longshore current V</translation>
    </message>
    <message>
        <source>静水位</source>
        <translation>Still-water level</translation>
    </message>
    <message>
        <source>平均水位</source>
        <translation>Mean water level</translation>
    </message>
    <message>
        <source>海底</source>
        <translation>Seabed</translation>
    </message>
    <message>
        <source>砕波開始</source>
        <translation>Breaking onset</translation>
    </message>
    <message>
        <source>波高 (m)</source>
        <translation>Wave height (m)</translation>
    </message>
    <message>
        <source>η (m)</source>
        <translation>η (m)</translation>
    </message>
    <message>
        <source>Qb</source>
        <translation>Qb</translation>
    </message>
    <message>
        <source>V (m/s)</source>
        <translation>V (m/s)</translation>
    </message>
    <message>
        <source>標高 z (m)</source>
        <translation>Elevation z (m)</translation>
    </message>
    <message>
        <source>岸向きの距離 x (m)</source>
        <translation>Distance onshore x (m)</translation>
    </message>
    <message>
        <source>実測断面を開く</source>
        <translation>Open Profile</translation>
    </message>
    <message>
        <source>断面 CSV（列 x, z）(*.csv *.txt)</source>
        <translation>Profile CSV (columns x, z) (*.csv *.txt)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>断面: なし（ファイル → 実測断面を開く… で x, z の CSV を読み込みます）</source>
        <translation>Profile: none (File → Open Profile... reads a CSV of x, z)</translation>
    </message>
    <message>
        <source>断面: %1</source>
        <translation>Profile: %1</translation>
    </message>
    <message>
        <source>計算できません: </source>
        <translation>Cannot compute: </translation>
    </message>
    <message>
        <source>断面を読めません: </source>
        <translation>Cannot read the profile: </translation>
    </message>
</context>
<context>
    <name>saiha::profile::ModelPanel</name>
    <message>
        <source>砕波限界</source>
        <translation>Breaker limit</translation>
    </message>
    <message>
        <source>浅水変形</source>
        <translation>Shoaling</translation>
    </message>
    <message>
        <source>線の色は砕波限界，線の種類と砕波点の形は浅水変形を表します．</source>
        <translation>Line colour: breaker limit. Line style and breaking-point marker: shoaling rule.</translation>
    </message>
    <message>
        <source>沿岸漂砂量 (CERC 公式)</source>
        <translation>Longshore transport (CERC formula)</translation>
    </message>
    <message>
        <source>入力値: %1 が空です</source>
        <translation>Value entered: %1 is empty</translation>
    </message>
    <message>
        <source>入力値: %1 = %2</source>
        <translation>Value entered: %1 = %2</translation>
    </message>
    <message>
        <source>入力値: ρs = %1，ρ = %2</source>
        <translation>Values entered: ρs = %1, ρ = %2</translation>
    </message>
</context>
<context>
    <name>saiha::profile::ProfileChart</name>
    <message>
        <source>沖 ←&#x3000;汀線からの距離 x (m)&#x3000;→ 岸</source>
        <translation>offshore ←   distance from the shoreline x (m)   → shore</translation>
    </message>
    <message>
        <source>波高 H (m)</source>
        <translation>Wave height H (m)</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>海底</source>
        <translation>Seabed</translation>
    </message>
    <message>
        <source>砕波限界波高</source>
        <translation>Breaker height limit</translation>
    </message>
    <message>
        <source>アーセル数 50 の波高</source>
        <translation>Height at Ursell number 50</translation>
    </message>
    <message>
        <source>波高 H</source>
        <translation>Wave height H</translation>
    </message>
    <message>
        <source>非線形浅水変形の開始点</source>
        <translation>Onset of nonlinear shoaling</translation>
    </message>
    <message>
        <source>指定水深</source>
        <translation>Chosen depth</translation>
    </message>
    <message>
        <source>計算できない地点</source>
        <translation>Stations not computed</translation>
    </message>
    <message>
        <source>砕波点</source>
        <translation>Breaking point</translation>
    </message>
    <message>
        <source>砕波点  </source>
        <translation>Breaking point  </translation>
    </message>
    <message>
        <source>非線形浅水変形の開始点  </source>
        <translation>Onset of nonlinear shoaling  </translation>
    </message>
    <message>
        <source>指定水深 %1 m</source>
        <translation>Chosen depth %1 m</translation>
    </message>
    <message>
        <source>水深 (m)</source>
        <translation>Depth h (m)</translation>
    </message>
    <message>
        <source>波向 θ</source>
        <translation>Wave angle θ</translation>
    </message>
    <message>
        <source>波向 θ (°)</source>
        <translation>Wave angle θ (°)</translation>
    </message>
    <message>
        <source>波長 L</source>
        <translation>Wavelength L</translation>
    </message>
    <message>
        <source>波長 L (m)</source>
        <translation>Wavelength L (m)</translation>
    </message>
    <message>
        <source>波速 C</source>
        <translation>Celerity C</translation>
    </message>
    <message>
        <source>波速 C (m/s)</source>
        <translation>Celerity C (m/s)</translation>
    </message>
    <message>
        <source>底面の最大流速 u</source>
        <translation>Max. orbital velocity at the bed u</translation>
    </message>
    <message>
        <source>底面の最大流速 u (m/s)</source>
        <translation>Max. orbital velocity at the bed u (m/s)</translation>
    </message>
    <message>
        <source>底面の軌道片振幅 a</source>
        <translation>Orbital semi-amplitude at the bed a</translation>
    </message>
    <message>
        <source>底面の軌道片振幅 a (m)</source>
        <translation>Orbital semi-amplitude at the bed a (m)</translation>
    </message>
    <message>
        <source>表面の最大流速 u</source>
        <translation>Max. orbital velocity at the surface u</translation>
    </message>
    <message>
        <source>表面の最大流速 u (m/s)</source>
        <translation>Max. orbital velocity at the surface u (m/s)</translation>
    </message>
    <message>
        <source>表面の軌道片振幅 a</source>
        <translation>Orbital semi-amplitude at the surface a</translation>
    </message>
    <message>
        <source>表面の軌道片振幅 a (m)</source>
        <translation>Orbital semi-amplitude at the surface a (m)</translation>
    </message>
    <message>
        <source>%1 の砕波点</source>
        <translation>Breaking point, %1</translation>
    </message>
    <message>
        <source>平均汀線</source>
        <translation>Mean shoreline</translation>
    </message>
    <message>
        <source>遡上高 R2%</source>
        <translation>Runup R2%</translation>
    </message>
    <message>
        <source>平均汀線  Δx = %1 m, η = %2 m</source>
        <translation>Mean shoreline  Δx = %1 m, η = %2 m</translation>
    </message>
    <message>
        <source>遡上高 R2% = %1 m</source>
        <translation>Runup R2% = %1 m</translation>
    </message>
    <message>
        <source>平均水位（ウェーブセットアップ）</source>
        <translation>Mean water level (wave setup)</translation>
    </message>
</context>
<context>
    <name>saiha::profile::ProfileModel</name>
    <message>
        <source>計算できません: </source>
        <translation>Cannot compute: </translation>
    </message>
    <message>
        <source>線形浅水変形</source>
        <translation>linear shoaling</translation>
    </message>
    <message>
        <source>非線形浅水変形</source>
        <translation>nonlinear shoaling</translation>
    </message>
    <message>
        <source>砕波帯</source>
        <translation>surf zone</translation>
    </message>
    <message>
        <source>中間域の浅水変形</source>
        <translation>intermediate shoaling</translation>
    </message>
    <message>
        <source>波高の式</source>
        <translation>Height rule</translation>
    </message>
    <message>
        <source>地点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>底面 a (m)</source>
        <translation>Bottom a (m)</translation>
    </message>
    <message>
        <source>底面 u (m/s)</source>
        <translation>Bottom u (m/s)</translation>
    </message>
    <message>
        <source>表面 a (m)</source>
        <translation>Surface a (m)</translation>
    </message>
    <message>
        <source>表面 u (m/s)</source>
        <translation>Surface u (m/s)</translation>
    </message>
</context>
<context>
    <name>saiha::profile::ProfileWindow</name>
    <message>
        <source>波高 H</source>
        <translation>Wave height H</translation>
    </message>
    <message>
        <source>第 2 軸(&amp;Q):</source>
        <translation>Second &amp;axis:</translation>
    </message>
    <message>
        <source>地点の表</source>
        <translation>Stations</translation>
    </message>
    <message>
        <source>モデルの比較</source>
        <translation>Model comparison</translation>
    </message>
    <message>
        <source>モデル</source>
        <translation>Models</translation>
    </message>
    <message>
        <source>断面図 — 砕波の計算</source>
        <translation>Cross-shore Profile — Wave Breaking</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>図を PNG 画像で保存(&amp;P)...</source>
        <translation>Save Chart as &amp;PNG...</translation>
    </message>
    <message>
        <source>図を PNG 画像で保存</source>
        <translation>Save Chart as PNG</translation>
    </message>
    <message>
        <source>図を SVG 画像で保存(&amp;S)...</source>
        <translation>Save Chart as &amp;SVG...</translation>
    </message>
    <message>
        <source>図を SVG 画像で保存</source>
        <translation>Save Chart as SVG</translation>
    </message>
    <message>
        <source>表を CSV で保存(&amp;C)...</source>
        <translation>Save Stations as &amp;CSV...</translation>
    </message>
    <message>
        <source>表を CSV で保存</source>
        <translation>Save Stations as CSV</translation>
    </message>
    <message>
        <source>閉じる(&amp;X)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>モデルの比較(&amp;M)</source>
        <translation>&amp;Model Comparison</translation>
    </message>
    <message>
        <source>Ho = %1 m&#x3000;T = %2 s&#x3000;αo = %3°&#x3000;海底勾配 1/%4</source>
        <translation>Ho = %1 m   T = %2 s   αo = %3°   slope 1/%4</translation>
    </message>
    <message>
        <source>計算できません: </source>
        <translation>Cannot compute: </translation>
    </message>
    <message>
        <source>H = %1 m（%2）&#x3000;L = %3 m&#x3000;θ = %4°&#x3000;C = %5 m/s&#x3000;底面 a = %6 m, u = %7 m/s&#x3000;表面 a = %8 m, u = %9 m/s</source>
        <translation>H = %1 m (%2)   L = %3 m   θ = %4°   C = %5 m/s   bed a = %6 m, u = %7 m/s   surface a = %8 m, u = %9 m/s</translation>
    </message>
    <message>
        <source>PNG 画像を保存できませんでした: </source>
        <translation>Could not save the PNG image: </translation>
    </message>
    <message>
        <source>SVG 画像を保存できませんでした: </source>
        <translation>Could not save the SVG image: </translation>
    </message>
    <message>
        <source>CSV を保存できませんでした: </source>
        <translation>Could not save the CSV file: </translation>
    </message>
    <message>
        <source>比較表を CSV で保存(&amp;M)...</source>
        <translation>Save &amp;Model Comparison as CSV...</translation>
    </message>
    <message>
        <source>比較表を CSV で保存</source>
        <translation>Save Model Comparison as CSV</translation>
    </message>
    <message>
        <source>2% 超過遡上高（Stockdon et al. 2006）．不規則波（有義波高・ピーク周期）の式に
規則波の Ho, T と前浜勾配 1/n を用いています</source>
        <translation>2% exceedance runup (Stockdon et al. 2006): a random-wave formula (significant height, peak period)
applied to the regular wave&apos;s Ho and T with the foreshore slope 1/n</translation>
    </message>
    <message>
        <source>砕波帯中央の沿岸流速 V = 1.17√(gHb)·sinθb·cosθb（Komar・Inman 1970）．θb の符号に従います</source>
        <translation>Longshore current at mid surf zone V = 1.17√(gHb)·sinθb·cosθb (Komar and Inman 1970); it takes the sign of θb</translation>
    </message>
    <message>
        <source>不規則波（合田）</source>
        <translation>Irregular waves (Goda)</translation>
    </message>
    <message>
        <source>この波は線形浅水変形のうちに砕波します（非線形浅水変形の開始点が砕波点より岸側にある急な波）．</source>
        <translation>This wave breaks while it still shoals linearly (a steep wave whose onset of nonlinear shoaling lies shoreward of the breaking point).</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>断面図</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>図を書き出す(&amp;E)...</source>
        <translation>&amp;Export Chart...</translation>
    </message>
    <message>
        <source>大きさ %1 × %2 px，%3 dpi は書き出せません．</source>
        <translation>A picture of %1 × %2 px at %3 dpi cannot be exported.</translation>
    </message>
    <message>
        <source>PDF を保存できませんでした: </source>
        <translation>Could not save the PDF: </translation>
    </message>
    <message>
        <source>図を書き出す</source>
        <translation>Export Chart</translation>
    </message>
    <message>
        <source>沖波のサーフシミラリティー・パラメータ（イリバーレン数）ξ0 = tanβ/√(Ho/Lo) と砕波形式（Battjes 1974）：
0.5 未満 崩れ波，0.5～3.3 巻き波，3.3 超 砕け寄せ波・寄せ波</source>
        <translation>Deep-water surf similarity ξ0 = tanβ/√(Ho/Lo) and the breaker type (Battjes 1974):
below 0.5 spilling, 0.5–3.3 plunging, above 3.3 collapsing/surging</translation>
    </message>
    <message>
        <source>砕波点のウェーブセットダウン ηb = −γHb/16，γ = Hb/hb（ラディエーション応力，Longuet-Higgins・Stewart 1964）</source>
        <translation>Wave setdown at the breaking point ηb = −γHb/16, γ = Hb/hb (radiation stress, Longuet-Higgins and Stewart 1964)</translation>
    </message>
    <message>
        <source>静水汀線でのウェーブセットアップ ηs = ηb + K·hb，K = 1/(1 + 8/(3γ²))</source>
        <translation>Wave setup at the still-water shoreline ηs = ηb + K·hb, K = 1/(1 + 8/(3γ²))</translation>
    </message>
    <message>
        <source>一様勾配の海浜</source>
        <translation>Plane beach</translation>
    </message>
    <message>
        <source>実測断面</source>
        <translation>Measured profile</translation>
    </message>
    <message>
        <source>実測断面を開く(&amp;L)...</source>
        <translation>Open Pro&amp;file...</translation>
    </message>
    <message>
        <source>構造物</source>
        <translation>Structures</translation>
    </message>
</context>
<context>
    <name>saiha::profile::RandomView</name>
    <message>
        <source>換算沖波波高 H0′ (m)(&amp;0):</source>
        <translation>Equivalent deep-water height H&amp;0′ (m):</translation>
    </message>
    <message>
        <source>有義波周期 T1/3 (s)(&amp;T):</source>
        <translation>Significant period &amp;T1/3 (s):</translation>
    </message>
    <message>
        <source>有義波高 H1/3</source>
        <translation>Significant height H1/3</translation>
    </message>
    <message>
        <source>最高波高 Hmax</source>
        <translation>Maximum height Hmax</translation>
    </message>
    <message>
        <source>砕波帯の沖側端</source>
        <translation>Outer edge of the surf zone</translation>
    </message>
    <message>
        <source>汀線からの距離 x (m)</source>
        <translation>Distance from the shoreline x (m)</translation>
    </message>
    <message>
        <source>波高 (m)</source>
        <translation>Wave height (m)</translation>
    </message>
    <message>
        <source>合田 (1975) の不規則波の砕波変形：砕波帯の沖側端 h = %1 m で H1/3 = %2 m．H0′ は屈折・回折を考慮した換算沖波波高です（規則波の Ho とは異なります）．</source>
        <translation>Random-wave breaking after Goda (1975): at the outer edge of the surf zone, h = %1 m, H1/3 = %2 m. H0′ is the equivalent deep-water height with refraction and diffraction applied (not a regular wave&apos;s Ho).</translation>
    </message>
    <message>
        <source>x = %1 m&#x3000;h = %2 m&#x3000;Ks = %3&#x3000;H1/3 = %4 m（%5）&#x3000;Hmax = %6 m（%7）</source>
        <translation>x = %1 m  h = %2 m  Ks = %3  H1/3 = %4 m (%5)  Hmax = %6 m (%7)</translation>
    </message>
    <message>
        <source>H0′/L0 = %1（上限 %2）</source>
        <translation>H0′/L0 = %1 (limit %2)</translation>
    </message>
</context>
<context>
    <name>saiha::profile::Report</name>
    <message>
        <source>砕波の計算 — レポート</source>
        <translation>Wave Breaking — Report</translation>
    </message>
    <message>
        <source>（空欄：砕波水深）</source>
        <translation>(empty: the breaking depth)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>計算の結果</source>
        <translation>Results of the calculation</translation>
    </message>
    <message>
        <source>砕波点</source>
        <translation>Breaking point</translation>
    </message>
    <message>
        <source>指定水深での波</source>
        <translation>The wave at the depth</translation>
    </message>
    <message>
        <source>モデルごとの砕波点</source>
        <translation>Breaking point of each model</translation>
    </message>
    <message>
        <source>汀線付近</source>
        <translation>At the shoreline</translation>
    </message>
    <message>
        <source>（計算できません）</source>
        <translation>(cannot be computed)</translation>
    </message>
    <message>
        <source>図</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>参考文献</source>
        <translation>References</translation>
    </message>
    <message>
        <source>印刷(&amp;I)...</source>
        <translation>Pr&amp;int...</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>レポートを PDF で保存(&amp;R)...</source>
        <translation>Export &amp;Report as PDF...</translation>
    </message>
    <message>
        <source>レポートを PDF で保存</source>
        <translation>Export Report as PDF</translation>
    </message>
    <message>
        <source>レポートを保存できませんでした: </source>
        <translation>Could not save the report: </translation>
    </message>
</context>
<context>
    <name>saiha::profile::StructureModel</name>
    <message>
        <source>合田の設計波を求められません: </source>
        <translation>No design wave by Goda&apos;s method: </translation>
    </message>
    <message>
        <source>合田の不規則波：水深 h で H1/3 = %1 m，Hmax = %2 m；沖側 5H1/3 の hb = %3 m で Hmax = %4 m．設計は大きい方の Hmax = %5 m（%6），H1/3 = %7 m，T1/3 = %8 s．</source>
        <translation>Goda&apos;s random waves: at the depth h, H1/3 = %1 m, Hmax = %2 m; 5H1/3 seaward, at hb = %3 m, Hmax = %4 m. The design takes the larger Hmax = %5 m (%6), H1/3 = %7 m, T1/3 = %8 s.</translation>
    </message>
    <message>
        <source>hb での値：堤は砕波帯の中にあり，沖の砕波が堤に届く</source>
        <translation>the one at hb: the breakwater stands in the surf zone, where the breakers seaward of it reach it</translation>
    </message>
    <message>
        <source>堤の位置での値：砕波帯より沖</source>
        <translation>the one at the breakwater: seaward of the surf zone</translation>
    </message>
    <message>
        <source>（必要な %1 未満）</source>
        <translation> (below the %1 required)</translation>
    </message>
    <message>
        <source>水平波力 P = %1</source>
        <translation>Horizontal force P = %1</translation>
    </message>
    <message>
        <source>揚圧力 U = %1</source>
        <translation>Uplift U = %1</translation>
    </message>
    <message>
        <source>波力のモーメント Mp = %1</source>
        <translation>Moment of the force Mp = %1</translation>
    </message>
    <message>
        <source>揚圧力のモーメント Mu = %1</source>
        <translation>Moment of the uplift Mu = %1</translation>
    </message>
    <message>
        <source>堤体の水中重量 W = %1</source>
        <translation>Weight in still water W = %1</translation>
    </message>
    <message>
        <source>滑動の安全率 μ(W − U)/P = %1</source>
        <translation>Safety against sliding μ(W − U)/P = %1</translation>
    </message>
    <message>
        <source>転倒の安全率 (W·B/2 − Mu)/Mp = %1</source>
        <translation>Safety against overturning (W·B/2 − Mu)/Mp = %1</translation>
    </message>
    <message>
        <source>端趾圧 pe = %1</source>
        <translation>Heel pressure pe = %1</translation>
    </message>
    <message>
        <source>端趾圧 pe: なし（合力が底面の外：浮上または転倒）</source>
        <translation>Heel pressure pe: none (the resultant outside the base: the caisson lifts or overturns)</translation>
    </message>
    <message>
        <source>2% 遡上高 Ru2% = %1 m（ξm−1,0 = %2，γβ = %3）</source>
        <translation>2% runup Ru2% = %1 m (ξm−1,0 = %2, γβ = %3)</translation>
    </message>
    <message>
        <source>2% 遡上高 Ru2%: 斜面のみ</source>
        <translation>2% runup Ru2%: slopes only</translation>
    </message>
    <message>
        <source>平均越波流量 q = %1（Rc = %2 m）</source>
        <translation>Mean overtopping q = %1 (Rc = %2 m)</translation>
    </message>
    <message>
        <source>越波の形態: %1</source>
        <translation>Regime: %1</translation>
    </message>
    <message>
        <source>係数: %1</source>
        <translation>Approach: %1</translation>
    </message>
    <message>
        <source>被覆石の中央粒径 Dn50 = %1 m</source>
        <translation>Armour&apos;s median nominal diameter Dn50 = %1 m</translation>
    </message>
    <message>
        <source>中央質量 M50 = %1 kg（%2 t）</source>
        <translation>Median mass M50 = %1 kg (%2 t)</translation>
    </message>
    <message>
        <source>安定数 Hs/(ΔDn50) = %1，Δ = %2</source>
        <translation>Stability number Hs/(ΔDn50) = %1, Δ = %2</translation>
    </message>
    <message>
        <source>，%1（ξ = %2，ξcr = %3）</source>
        <translation>, %1 (ξ = %2, ξcr = %3)</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>：浅海，Tm−1,0，H2%</source>
        <translation>: shallow water, Tm−1,0, H2%</translation>
    </message>
    <message>
        <source>：深海，平均周期 Tm</source>
        <translation>: deep water, mean period Tm</translation>
    </message>
    <message>
        <source>：K_D</source>
        <translation>: K_D</translation>
    </message>
</context>
<context>
    <name>saiha::profile::StructureView</name>
    <message>
        <source>計算ウィンドウと不規則波（合田）のページに従う</source>
        <translation>Follow the calculation window and the page of Goda&apos;s random waves</translation>
    </message>
    <message>
        <source>水深 h (m)(&amp;D):</source>
        <translation>&amp;Depth h (m):</translation>
    </message>
    <message>
        <source>海底勾配 1/n(&amp;N):</source>
        <translation>Seabed slope 1/&amp;n:</translation>
    </message>
    <message>
        <source>構造物の前面の海底勾配 1/n の n</source>
        <translation>n of the seabed slope 1/n in front of the structure</translation>
    </message>
    <message>
        <source>直立堤（ケーソン）</source>
        <translation>Upright breakwater (caisson)</translation>
    </message>
    <message>
        <source>斜面・護岸：越波と被覆石</source>
        <translation>Slope or wall: overtopping and armour</translation>
    </message>
    <message>
        <source>最高波高 Hmax (m)(&amp;X):</source>
        <translation>Highest height Hma&amp;x (m):</translation>
    </message>
    <message>
        <source>設計波高：合田の最高波高 Hmax</source>
        <translation>The design height: Goda&apos;s highest wave Hmax</translation>
    </message>
    <message>
        <source>有義波高 H1/3 (m)(&amp;3):</source>
        <translation>Significant height H1/&amp;3 (m):</translation>
    </message>
    <message>
        <source>hb = h + 5H1/3/n を定める有義波高</source>
        <translation>The significant height that sets hb = h + 5H1/3/n</translation>
    </message>
    <message>
        <source>周期 T1/3 (s)(&amp;T):</source>
        <translation>Period &amp;T1/3 (s):</translation>
    </message>
    <message>
        <source>設計の周期：有義波周期 T1/3．波長 L は水深 h での微小振幅波の値</source>
        <translation>The design period: the significant period T1/3. L is the linear wavelength at the depth h</translation>
    </message>
    <message>
        <source>底面水深 h′ (m)(&amp;P):</source>
        <translation>Base de&amp;pth h′ (m):</translation>
    </message>
    <message>
        <source>ケーソン底面の静水面からの深さ（d ≤ h′ ≤ h）</source>
        <translation>The depth of the caisson&apos;s base below the still water (d ≤ h′ ≤ h)</translation>
    </message>
    <message>
        <source>マウンド上水深 d (m)(&amp;U):</source>
        <translation>Depth on the mo&amp;und d (m):</translation>
    </message>
    <message>
        <source>マウンドの被覆（根固め）の上の水深</source>
        <translation>The depth over the mound&apos;s armour (foot protection)</translation>
    </message>
    <message>
        <source>天端高 hc (m)(&amp;C):</source>
        <translation>&amp;Crest height hc (m):</translation>
    </message>
    <message>
        <source>静水面からケーソン天端までの高さ</source>
        <translation>The caisson&apos;s crest height above the still water</translation>
    </message>
    <message>
        <source>堤体幅 B (m)(&amp;B):</source>
        <translation>Caisson width &amp;B (m):</translation>
    </message>
    <message>
        <source>ケーソンの幅</source>
        <translation>The caisson&apos;s width</translation>
    </message>
    <message>
        <source>バーム幅 BM (m)(&amp;R):</source>
        <translation>Be&amp;rm width BM (m):</translation>
    </message>
    <message>
        <source>ケーソン前面のマウンドの肩幅（高橋の衝撃砕波圧係数 αI に用いる）</source>
        <translation>The mound&apos;s berm width in front of the caisson (for Takahashi&apos;s impulsive coefficient αI)</translation>
    </message>
    <message>
        <source>入射角 β (°)(&amp;L):</source>
        <translation>Ang&amp;le β (°):</translation>
    </message>
    <message>
        <source>堤の法線からの波向．15° まで法線側に回して用います</source>
        <translation>The direction from the breakwater&apos;s normal, turned toward the normal by up to 15°</translation>
    </message>
    <message>
        <source>摩擦係数 μ:</source>
        <translation>Friction μ:</translation>
    </message>
    <message>
        <source>ケーソンとマウンドの間の摩擦係数</source>
        <translation>The friction coefficient between the caisson and the mound</translation>
    </message>
    <message>
        <source>海水の密度 ρ (kg/m³):</source>
        <translation>Water density ρ (kg/m³):</translation>
    </message>
    <message>
        <source>堤体の平均密度 (kg/m³):</source>
        <translation>Caisson density (kg/m³):</translation>
    </message>
    <message>
        <source>中詰めを含むケーソンの平均密度．水中重量 W = (ρc(h′ + hc) − ρh′)gB</source>
        <translation>The caisson&apos;s mean density with its fill. Weight in water W = (ρc(h′ + hc) − ρh′)gB</translation>
    </message>
    <message>
        <source>高橋の衝撃砕波圧 αI を含める(&amp;A)</source>
        <translation>T&amp;akahashi&apos;s impulsive pressure αI</translation>
    </message>
    <message>
        <source>α2 の代わりに max(α2, αI) を用います（高橋・谷本・下迫 1994）．外すと合田の原式</source>
        <translation>max(α2, αI) in place of α2 (Takahashi, Tanimoto &amp; Shimosako 1994); unticked, Goda&apos;s original formulas</translation>
    </message>
    <message>
        <source>構造形式(&amp;Y):</source>
        <translation>Structure t&amp;ype:</translation>
    </message>
    <message>
        <source>係数(&amp;P):</source>
        <translation>A&amp;pproach:</translation>
    </message>
    <message>
        <source>EurOtop (2018) の設計・照査用の係数（平均値 + 約 1 標準偏差：確定的な設計に推奨）と平均値の係数</source>
        <translation>EurOtop (2018): the design and assessment coefficients (the mean plus about one standard deviation, advised for deterministic design) or the mean-value ones</translation>
    </message>
    <message>
        <source>有義波高 Hm0 (m)(&amp;0):</source>
        <translation>Significant height Hm&amp;0 (m):</translation>
    </message>
    <message>
        <source>前面でのスペクトル有義波高．既定は水深 h での合田の H1/3</source>
        <translation>The spectral significant height at the toe. By default Goda&apos;s H1/3 at the depth h</translation>
    </message>
    <message>
        <source>周期 Tm−1,0 (s)(&amp;T):</source>
        <translation>Period &amp;Tm−1,0 (s):</translation>
    </message>
    <message>
        <source>スペクトル周期 Tm−1,0．既定は T1/3 をピーク周期とみなした T1/3/1.1</source>
        <translation>The spectral period Tm−1,0. By default T1/3/1.1, T1/3 taken as the peak period</translation>
    </message>
    <message>
        <source>余裕高 Rc (m)(&amp;R):</source>
        <translation>F&amp;reeboard Rc (m):</translation>
    </message>
    <message>
        <source>静水面から天端までの高さ（グラフに印）</source>
        <translation>The crest&apos;s height above the still water (marked on the chart)</translation>
    </message>
    <message>
        <source>勾配 cot α(&amp;C):</source>
        <translation>Slope &amp;cot α:</translation>
    </message>
    <message>
        <source>斜面の勾配 1:cot α</source>
        <translation>The slope 1:cot α</translation>
    </message>
    <message>
        <source>粗度 γf(&amp;U):</source>
        <translation>Ro&amp;ughness γf:</translation>
    </message>
    <message>
        <source>粗度の影響係数：滑らかな斜面 1，捨石 2 層（透水性の心材）0.4</source>
        <translation>The roughness factor: a smooth slope 1, rock in two layers on a permeable core 0.4</translation>
    </message>
    <message>
        <source>小段 γb(&amp;B):</source>
        <translation>&amp;Berm γb:</translation>
    </message>
    <message>
        <source>小段（バーム）の影響係数</source>
        <translation>The influence factor of a berm</translation>
    </message>
    <message>
        <source>パラペット γv:</source>
        <translation>Wall γv:</translation>
    </message>
    <message>
        <source>斜面上の直立壁の影響係数</source>
        <translation>The influence factor of a wall on the slope</translation>
    </message>
    <message>
        <source>構造物の法線からの波向</source>
        <translation>The direction from the structure&apos;s normal</translation>
    </message>
    <message>
        <source>マウンド上水深 d (m):</source>
        <translation>Depth on the mound d (m):</translation>
    </message>
    <message>
        <source>混成堤：マウンド上の水深（d ≤ h）</source>
        <translation>Composite wall: the depth over the mound (d ≤ h)</translation>
    </message>
    <message>
        <source>被覆石の式(&amp;Z):</source>
        <translation>Armour si&amp;zing:</translation>
    </message>
    <message>
        <source>周期 (s):</source>
        <translation>Period (s):</translation>
    </message>
    <message>
        <source>Van Gent ほか：Tm−1,0（既定は上の Tm−1,0）．Van der Meer (1988)：平均周期 Tm</source>
        <translation>Van Gent et al.: Tm−1,0 (by default the Tm−1,0 above). Van der Meer (1988): the mean period Tm</translation>
    </message>
    <message>
        <source>石の密度 ρs (kg/m³):</source>
        <translation>Rock density ρs (kg/m³):</translation>
    </message>
    <message>
        <source>透水係数 P:</source>
        <translation>Permeability P:</translation>
    </message>
    <message>
        <source>Van der Meer の透水係数：不透過の心材 0.1，フィルター上 2 層 0.4，透水性の心材 0.5</source>
        <translation>Van der Meer&apos;s notional permeability: impermeable core 0.1, two layers on a filter 0.4, permeable core 0.5</translation>
    </message>
    <message>
        <source>被害度 S:</source>
        <translation>Damage level S:</translation>
    </message>
    <message>
        <source>2：被害の始まり</source>
        <translation>2: start of damage</translation>
    </message>
    <message>
        <source>波数 N:</source>
        <translation>Number of waves N:</translation>
    </message>
    <message>
        <source>暴浪中の波の数</source>
        <translation>The number of waves in the storm</translation>
    </message>
    <message>
        <source>Hudson の K_D:</source>
        <translation>Hudson&apos;s K_D:</translation>
    </message>
    <message>
        <source>平均越波流量 q</source>
        <translation>Mean overtopping q</translation>
    </message>
    <message>
        <source>選んだ天端</source>
        <translation>Chosen crest</translation>
    </message>
    <message>
        <source>選んだ天端での q</source>
        <translation>q at the chosen crest</translation>
    </message>
    <message>
        <source>余裕高 Rc (m)</source>
        <translation>Freeboard Rc (m)</translation>
    </message>
    <message>
        <source>q (l/s/m)</source>
        <translation>q (l/s/m)</translation>
    </message>
    <message>
        <source>計算できません: </source>
        <translation>Cannot compute: </translation>
    </message>
    <message>
        <source>平均周期 Tm (s):</source>
        <translation>Mean period Tm (s):</translation>
    </message>
    <message>
        <source>周期 Tm−1,0 (s):</source>
        <translation>Period Tm−1,0 (s):</translation>
    </message>
    <message>
        <source>被覆石を計算できません: </source>
        <translation>Cannot size the armour: </translation>
    </message>
    <message>
        <source>被覆石: </source>
        <translation>Armour: </translation>
    </message>
    <message>
        <source>構造物</source>
        <translation>Structures</translation>
    </message>
    <message>
        <source>含める</source>
        <translation>included</translation>
    </message>
    <message>
        <source>含めない</source>
        <translation>not included</translation>
    </message>
    <message>
        <source>構造形式</source>
        <translation>Structure</translation>
    </message>
    <message>
        <source>係数</source>
        <translation>Approach</translation>
    </message>
    <message>
        <source>被覆石の式</source>
        <translation>Armour formula</translation>
    </message>
    <message>
        <source>海底勾配は計算ウィンドウの 1/n から，設計波は「不規則波（合田）」の H0′ と T1/3 から水深 h で求めます．波の欄か勾配に入力すると外れます</source>
        <translation>The seabed slope from the calculation window&apos;s 1/n, the design wave from H0′ and T1/3 of &apos;Irregular waves (Goda)&apos; at the depth h. Typing in a wave box or the slope unticks it</translation>
    </message>
    <message>
        <source>構造物の位置の水深（ケーソンのマウンド前面，斜面・護岸の前面）．設計波はこの水深で求めます</source>
        <translation>The depth at the structure (in front of the caisson&apos;s mound, at the toe of the slope or wall); the design wave is found at this depth</translation>
    </message>
    <message>
        <source>（波の欄は入力値のまま）</source>
        <translation> (the wave boxes keep the values typed)</translation>
    </message>
</context>
<context>
    <name>saiha::profile::Workbench</name>
    <message>
        <source>ケースを保存できませんでした: %1</source>
        <translation>Could not save the case: %1</translation>
    </message>
    <message>
        <source>ケースを開けませんでした: %1</source>
        <translation>Could not open the case: %1</translation>
    </message>
    <message>
        <source>海底勾配 1/n の n</source>
        <translation>n of the bottom slope 1/n</translation>
    </message>
    <message>
        <source>水深 h (m)</source>
        <translation>Depth h (m)</translation>
    </message>
    <message>
        <source>ケースを開く</source>
        <translation>Open case</translation>
    </message>
    <message>
        <source>ケース (*.json)</source>
        <translation>Cases (*.json)</translation>
    </message>
    <message>
        <source>ケースを保存</source>
        <translation>Save case</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>一覧を消去</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>ケースを開く(&amp;O)...</source>
        <translation>&amp;Open case...</translation>
    </message>
    <message>
        <source>ケースを保存(&amp;V)...</source>
        <translation>Sa&amp;ve case...</translation>
    </message>
    <message>
        <source>最近のケース(&amp;R)</source>
        <translation>&amp;Recent cases</translation>
    </message>
    <message>
        <source>結果をコピー(&amp;C)</source>
        <translation>&amp;Copy results</translation>
    </message>
    <message>
        <source>ケースの実測断面を読めませんでした．</source>
        <translation>The case&apos;s measured profile could not be read.</translation>
    </message>
</context>
<context>
    <name>saiha::window::CalcWindow</name>
    <message>
        <source>%1
バージョン %2</source>
        <translation>%1
Version %2</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>断面図(&amp;G)</source>
        <translation>Cross-shore &amp;Profile</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>MIT ライセンス</source>
        <translation>MIT License</translation>
    </message>
    <message>
        <source>参考文献</source>
        <translation>References</translation>
    </message>
</context>
<context>
    <name>saiha::window::frmKelvo</name>
    <message>
        <source>波高Ho（ｍ）</source>
        <translation>Ho (m)</translation>
    </message>
    <message>
        <source>沖波の波高です．</source>
        <translation>Deep-water wave height Ho (m).</translation>
    </message>
    <message>
        <source>周期T（秒）</source>
        <translation>T (s)</translation>
    </message>
    <message>
        <source>波の周期です．</source>
        <translation>Wave period T (s).</translation>
    </message>
    <message>
        <source>波向αo（°）</source>
        <translation>αo (°)</translation>
    </message>
    <message>
        <source>海岸の法線に対する沖波の入射角です．</source>
        <translation>Deep-water angle of incidence αo from the shore normal (°).</translation>
    </message>
    <message>
        <source>海底勾配 1/</source>
        <translation>Slope 1/</translation>
    </message>
    <message>
        <source>海底勾配の分母です．</source>
        <translation>Denominator n of the bottom slope 1/n.</translation>
    </message>
    <message>
        <source>計算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>計算を実行します．</source>
        <translation>Runs the calculation.</translation>
    </message>
    <message>
        <source>水深（ｍ）</source>
        <translation>Depth (m)</translation>
    </message>
    <message>
        <source>任意の水深での波高，波長，波向などを計算します．数値を入れて計算ボタンを押してください．</source>
        <translation>Gives the wave height, wavelength, angle and more at any depth. Enter a depth and press Calculate.</translation>
    </message>
    <message>
        <source>砕波波高（ｍ）</source>
        <translation>Hb (m)</translation>
    </message>
    <message>
        <source>砕波時の波高です．</source>
        <translation>Breaker height Hb (m).</translation>
    </message>
    <message>
        <source>砕波水深（ｍ）</source>
        <translation>hb (m)</translation>
    </message>
    <message>
        <source>砕波時の水深です．</source>
        <translation>Breaking depth hb (m).</translation>
    </message>
    <message>
        <source>波高水深比γ</source>
        <translation>γ = Hb/hb</translation>
    </message>
    <message>
        <source>砕波時の波高と水深の比です．</source>
        <translation>Breaker index γ: breaker height over breaking depth.</translation>
    </message>
    <message>
        <source>砕波波向(°) </source>
        <translation>θb (°)</translation>
    </message>
    <message>
        <source>砕波時の波向です．</source>
        <translation>Wave angle at breaking θb (°).</translation>
    </message>
    <message>
        <source>波高(m)</source>
        <translation>H(m)</translation>
    </message>
    <message>
        <source>波長(m)</source>
        <translation>L(m)</translation>
    </message>
    <message>
        <source>任意水深での波高です．</source>
        <translation>Wave height H at the chosen depth (m).</translation>
    </message>
    <message>
        <source>任意水深での波長です．</source>
        <translation>Wavelength L at the chosen depth (m).</translation>
    </message>
    <message>
        <source>波向(°)</source>
        <translation>θ(°)</translation>
    </message>
    <message>
        <source>波速(m/s)</source>
        <translation>C(m/s)</translation>
    </message>
    <message>
        <source>任意水深での波向です．</source>
        <translation>Wave angle θ at the chosen depth (°).</translation>
    </message>
    <message>
        <source>任意水深での波速です．</source>
        <translation>Wave celerity C at the chosen depth (m/s).</translation>
    </message>
    <message>
        <source>表面</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>任意水深での波による水面水粒子軌道の片振幅です．</source>
        <translation>Orbital semi-amplitude a of water particles at the surface, at the chosen depth (m).</translation>
    </message>
    <message>
        <source>任意水深での波による水面水粒子の最大速度です．</source>
        <translation>Maximum orbital velocity u of water particles at the surface, at the chosen depth (m/s).</translation>
    </message>
    <message>
        <source>底面</source>
        <translation>Bed</translation>
    </message>
    <message>
        <source>任意水深での波による底面水粒子軌道の片振幅です．</source>
        <translation>Orbital semi-amplitude a of water particles at the bed, at the chosen depth (m).</translation>
    </message>
    <message>
        <source>任意水深での波による底面水粒子の最大速度です．</source>
        <translation>Maximum orbital velocity u of water particles at the bed, at the chosen depth (m/s).</translation>
    </message>
    <message>
        <source>砕波の計算</source>
        <translation>Wave Breaking</translation>
    </message>
</context>
</TS>
