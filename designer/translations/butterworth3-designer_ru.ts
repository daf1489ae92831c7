<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Definitions</name>
    <message>
        <source>f3 is the first frequency, coming from the passband, where the gain falls to 1/√2 (−3.01 dB). Its error is f3 / f − 1.</source>
        <translation>f3 — первая частота, если идти из полосы пропускания, на которой усиление падает до 1/√2 (−3.01 dB). Её погрешность — f3 / f − 1.</translation>
    </message>
    <message>
        <source>Shape error is the largest difference, in dB, between the circuit&apos;s gain and the %1 response with its −3 dB point at f, over f/100 … 100 f wherever that response is at or above −20 dB.</source>
        <translation>Ошибка формы — наибольшая разность в dB между усилением схемы и характеристикой %1 с точкой −3 dB на f, в диапазоне f/100 … 100 f там, где эта характеристика не ниже −20 dB.</translation>
    </message>
    <message>
        <source>Aligned shape error is the same comparison against the response moved to the realised f3 (the shape without the f3 error), up to 100 f3 (a high-pass with an op-amp: up to a tenth of its upper edge).</source>
        <translation>Ошибка формы после совмещения — то же сравнение с характеристикой, сдвинутой к полученной f3 (форма без погрешности f3), до 100 f3 (у фильтра верхних частот с ОУ — до десятой доли его верхней границы).</translation>
    </message>
    <message>
        <source>Step: a 1 V step at the input; overshoot past the final value (a high-pass: how far it swings below 0), settling once it stays within 1 % or 0.1 % of the step.</source>
        <translation>Переходная характеристика: скачок 1 В на входе; выброс — превышение конечного значения (у фильтра верхних частот — насколько сигнал уходит ниже 0), установление — с момента, когда сигнал остаётся в пределах 1 % или 0.1 % скачка.</translation>
    </message>
    <message>
        <source>The equal parts&apos; value as the design chose it from the series named, near the value given: the one to build.</source>
        <translation>Номинал равных элементов, выбранный из названного ряда вблизи заданного значения: его и следует ставить.</translation>
    </message>
    <message>
        <source>Combinations weighed: how many candidate sets of standard values the search compared to choose the parts shown.</source>
        <translation>Перебрано сочетаний: сколько наборов стандартных номиналов сравнил поиск, выбирая показанные элементы.</translation>
    </message>
    <message>
        <source>The calculator&apos;s f3 is the f3 of the parts that the calculator window gives for the same frequency and value, with its own rounded coefficients (a Butterworth response only).</source>
        <translation>f3 калькулятора — f3 элементов, которые окно калькулятора даёт для той же частоты и того же номинала, со своими округлёнными коэффициентами (только для характеристики Баттерворта).</translation>
    </message>
    <message>
        <source>Where the Chebyshev response&apos;s ripple band ends: up to there (a high-pass: from there) its gain stays within the ripple.</source>
        <translation>Где кончается полоса пульсаций характеристики Чебышева: до этой частоты (у фильтра верхних частот — начиная с неё) усиление остаётся в пределах пульсаций.</translation>
    </message>
    <message>
        <source>The smallest gain-bandwidth product from which on the op-amp moves f3 by at most this share of the f3 that the same parts have with an ideal op-amp (not of f).</source>
        <translation>Наименьшая частота единичного усиления, начиная с которой ОУ сдвигает f3 не более чем на эту долю от f3 тех же элементов с идеальным ОУ (не от f).</translation>
    </message>
    <message>
        <source>The smallest gain-bandwidth product from which on the op-amp adds at most 0.1 dB to the shape error that the same parts have with an ideal op-amp.</source>
        <translation>Наименьшая частота единичного усиления, начиная с которой ОУ добавляет не более 0.1 dB к ошибке формы тех же элементов с идеальным ОУ.</translation>
    </message>
    <message>
        <source>With a real op-amp a high-pass is a band-pass: the frequency above its passband where the gain falls to −3 dB again.</source>
        <translation>С реальным ОУ фильтр верхних частот становится полосовым: частота выше полосы пропускания, на которой усиление снова падает до −3 dB.</translation>
    </message>
    <message>
        <source>The gain far above f: the op-amp&apos;s output resistance lets the signal leak through C2, and the gain stops falling.</source>
        <translation>Усиление далеко выше f: через выходное сопротивление ОУ сигнал просачивается по C2, и усиление перестаёт падать.</translation>
    </message>
    <message>
        <source>Sensitivity of f3 to a part: the relative change of f3 for a small relative change of that part (d ln f3 / d ln x, with an ideal op-amp); −0.5 means that 1 % more lowers f3 by 0.5 %.</source>
        <translation>Чувствительность f3 к элементу: относительное изменение f3 при малом относительном изменении этого элемента (d ln f3 / d ln x, с идеальным ОУ); −0.5 значит, что увеличение на 1 % снижает f3 на 0.5 %.</translation>
    </message>
    <message>
        <source>A pole pair by its natural frequency f0 and its quality factor Q, a real pole by its frequency, as filter tables list them; the target&apos;s are those of the response asked for.</source>
        <translation>Пара полюсов — её собственной частотой f0 и добротностью Q, вещественный полюс — его частотой, как в таблицах фильтров; полюсы цели — полюсы заданной характеристики.</translation>
    </message>
    <message>
        <source>Group delay is the delay of a signal&apos;s envelope, −dφ/dω: at DC, and the frequency up to which it stays within 1 % of that.</source>
        <translation>Групповая задержка — задержка огибающей сигнала, −dφ/dω: на постоянном токе и частота, до которой она остаётся в пределах 1 % от этого значения.</translation>
    </message>
    <message>
        <source>Noise at 27 °C of the resistors and, when given, of the op-amp: its density at one frequency, its rms over the band, and each source&apos;s share of the mean square.</source>
        <translation>Шум резисторов и, если задан, ОУ при 27 °C: его спектральная плотность на одной частоте, СКЗ в полосе и доля каждого источника в среднем квадрате.</translation>
    </message>
    <message>
        <source>The f3 error of circuits whose parts are drawn at random within their tolerances: its standard deviation (sigma), and the errors between which the middle 99 % of the samples lie.</source>
        <translation>Погрешность f3 схем, элементы которых выбраны случайно в пределах допусков: её стандартное отклонение (сигма) и значения, между которыми лежат средние 99 % выборки.</translation>
    </message>
    <message>
        <source>The lowest and the highest f3 error over the 64 corners where every part is at one end of its tolerance.</source>
        <translation>Наименьшая и наибольшая погрешность f3 в 64 крайних точках, где каждый элемент на одной из границ своего допуска.</translation>
    </message>
    <message>
        <source>The gain at a frequency asked for, in dB (its attenuation with the sign turned): of the response asked for with its -3 dB point at f, of the circuit with its parts and an ideal op-amp, and with the op-amp given.</source>
        <translation>Усиление на заданной частоте, в dB (ослабление с обратным знаком): заданной характеристики с точкой −3 dB на f, схемы с её элементами и идеальным ОУ и с заданным ОУ.</translation>
    </message>
</context>
<context>
    <name>Figures</name>
    <message>
        <source>Aligned shape error</source>
        <translation>Ошибка формы после совмещения</translation>
    </message>
    <message>
        <source>Group delay at DC</source>
        <translation>Групповая задержка на постоянном токе</translation>
    </message>
    <message>
        <source>Delay within 1 % up to</source>
        <translation>Задержка в пределах 1 % до</translation>
    </message>
    <message>
        <source>100 f and beyond</source>
        <translation>100 f и выше</translation>
    </message>
    <message>
        <source>Step overshoot</source>
        <translation>Выброс переходной характеристики</translation>
    </message>
    <message>
        <source>Step undershoot</source>
        <translation>Отрицательный выброс переходной характеристики</translation>
    </message>
    <message>
        <source>Rise time, 10–90 %</source>
        <translation>Время нарастания, 10–90 %</translation>
    </message>
    <message>
        <source>Settling to 1 %</source>
        <translation>Время установления до 1 %</translation>
    </message>
    <message>
        <source>Settling to 0.1 %</source>
        <translation>Время установления до 0.1 %</translation>
    </message>
    <message>
        <source>Noise density at %1</source>
        <translation>Спектральная плотность шума на %1</translation>
    </message>
    <message>
        <source>Noise from %1 to %2</source>
        <translation>Шум от %1 до %2</translation>
    </message>
    <message>
        <source> rms</source>
        <translation> СКЗ</translation>
    </message>
    <message>
        <source>Noise shares</source>
        <translation>Вклады в шум</translation>
    </message>
    <message>
        <source>With an ideal op-amp</source>
        <translation>С идеальным ОУ</translation>
    </message>
    <message>
        <source>f3</source>
        <translation>f3</translation>
    </message>
    <message>
        <source>Shape error</source>
        <translation>Ошибка формы</translation>
    </message>
    <message>
        <source>Combinations weighed</source>
        <translation>Перебрано сочетаний</translation>
    </message>
    <message>
        <source>The calculator&apos;s f3</source>
        <translation>f3 калькулятора</translation>
    </message>
    <message>
        <source>Ripple band&apos;s edge</source>
        <translation>Граница полосы пульсаций</translation>
    </message>
    <message>
        <source>Sensitivity of f3 to %1</source>
        <translation>Чувствительность f3 к %1</translation>
    </message>
    <message>
        <source>With the op-amp: GBW %1, A0 %2, RO %3</source>
        <translation>С ОУ: GBW %1, A0 %2, RO %3</translation>
    </message>
    <message>
        <source>Upper edge</source>
        <translation>Верхняя граница</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>GBW for f3 within 1 %</source>
        <translation>GBW для f3 в пределах 1 %</translation>
    </message>
    <message>
        <source>GBW for f3 within 0.1 %</source>
        <translation>GBW для f3 в пределах 0.1 %</translation>
    </message>
    <message>
        <source>GBW for 0.1 dB more shape error</source>
        <translation>GBW для ошибки формы на 0.1 dB больше</translation>
    </message>
    <message>
        <source>Stop-band at 100 f</source>
        <translation>Подавление на 100 f</translation>
    </message>
    <message>
        <source>Stop-band at 1000 f</source>
        <translation>Подавление на 1000 f</translation>
    </message>
    <message>
        <source>Stop-band at 10000 f</source>
        <translation>Подавление на 10000 f</translation>
    </message>
    <message>
        <source>Tolerances: R %1 %, C %2 %</source>
        <translation>Допуски: R %1 %, C %2 %</translation>
    </message>
    <message>
        <source>f3 error, sigma</source>
        <translation>Погрешность f3, сигма</translation>
    </message>
    <message>
        <source>f3 error, 99 % between</source>
        <translation>Погрешность f3, 99 % между</translation>
    </message>
    <message>
        <source> and </source>
        <translation> и </translation>
    </message>
    <message>
        <source>f3 error</source>
        <translation>Погрешность f3</translation>
    </message>
    <message>
        <source>drawing %1 samples…</source>
        <translation>идёт расчёт, выборок: %1…</translation>
    </message>
    <message>
        <source>Worst case, 64 corners</source>
        <translation>Наихудший случай, 64 сочетания</translation>
    </message>
    <message>
        <source>part</source>
        <translation>элемент</translation>
    </message>
    <message>
        <source>ideal</source>
        <translation>идеальное</translation>
    </message>
    <message>
        <source>chosen %1</source>
        <translation>выбранное %1</translation>
    </message>
    <message>
        <source>error</source>
        <translation>погрешность</translation>
    </message>
    <message>
        <source>impractical</source>
        <translation>непрактично</translation>
    </message>
    <message>
        <source>%1 chosen from %2</source>
        <translation>%1 выбраны из %2</translation>
    </message>
    <message>
        <source>%1 for %2 given</source>
        <translation>%1 вместо заданных %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 each %2</source>
        <translation>%1 по %2</translation>
    </message>
    <message>
        <source>Target pole pair, f0 and Q</source>
        <translation>Пара полюсов цели, f0 и Q</translation>
    </message>
    <message>
        <source>Pole pair, f0 and Q</source>
        <translation>Пара полюсов, f0 и Q</translation>
    </message>
    <message>
        <source>%1, Q %2</source>
        <translation>%1, Q %2</translation>
    </message>
    <message>
        <source>Target real pole</source>
        <translation>Вещественный полюс цели</translation>
    </message>
    <message>
        <source>Real pole</source>
        <translation>Вещественный полюс</translation>
    </message>
    <message>
        <source>none (no −3 dB crossing)</source>
        <translation>нет (уровня −3 dB не достигает)</translation>
    </message>
    <message>
        <source>more than %1</source>
        <translation>больше %1</translation>
    </message>
    <message>
        <source>Gain at the frequencies asked for</source>
        <translation>Усиление на заданных частотах</translation>
    </message>
    <message>
        <source>%1, the target</source>
        <translation>%1, цель</translation>
    </message>
    <message>
        <source>%1, the circuit</source>
        <translation>%1, схема</translation>
    </message>
    <message>
        <source>%1, with the op-amp</source>
        <translation>%1, с ОУ</translation>
    </message>
</context>
<context>
    <name>Form</name>
    <message>
        <source>&amp;Circuit</source>
        <translation>&amp;Тип фильтра</translation>
    </message>
    <message>
        <source>Low-pass</source>
        <translation>Фильтр нижних частот</translation>
    </message>
    <message>
        <source>High-pass</source>
        <translation>Фильтр верхних частот</translation>
    </message>
    <message>
        <source>&amp;Response</source>
        <translation>&amp;Характеристика</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>Баттерворта</translation>
    </message>
    <message>
        <source>Bessel</source>
        <translation>Бесселя</translation>
    </message>
    <message>
        <source>Chebyshev 0.5 dB</source>
        <translation>Чебышева 0.5 dB</translation>
    </message>
    <message>
        <source>Chebyshev 1 dB</source>
        <translation>Чебышева 1 dB</translation>
    </message>
    <message>
        <source>Coefficients</source>
        <translation>&amp;Коэффициенты</translation>
    </message>
    <message>
        <source>Exact</source>
        <translation>Точные</translation>
    </message>
    <message>
        <source>The calculator&apos;s</source>
        <translation>Как в калькуляторе</translation>
    </message>
    <message>
        <source>Fre&amp;quency</source>
        <translation>&amp;Частота</translation>
    </message>
    <message>
        <source>Frequenc&amp;y is</source>
        <translation>Частота — &amp;это</translation>
    </message>
    <message>
        <source>The -3 dB point</source>
        <translation>Точка -3 dB</translation>
    </message>
    <message>
        <source>The ripple band&apos;s edge</source>
        <translation>Граница полосы пульсаций</translation>
    </message>
    <message>
        <source>Resis&amp;tance</source>
        <translation>Сопротив&amp;ление</translation>
    </message>
    <message>
        <source>Capaci&amp;tance</source>
        <translation>&amp;Ёмкость</translation>
    </message>
    <message>
        <source>&amp;Series</source>
        <translation>Р&amp;яд</translation>
    </message>
    <message>
        <source>None (exact)</source>
        <translation>Нет (точные)</translation>
    </message>
    <message>
        <source>Mo&amp;ving R</source>
        <translation>Изменяемы&amp;й R</translation>
    </message>
    <message>
        <source>Mo&amp;ving C</source>
        <translation>Изменяемы&amp;й C</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Постоянный</translation>
    </message>
    <message>
        <source>Steps either side</source>
        <translation>Шагов в кажду&amp;ю сторону</translation>
    </message>
    <message>
        <source>Ob&amp;jective</source>
        <translation>&amp;Цель подбора</translation>
    </message>
    <message>
        <source>Balanced</source>
        <translation>Баланс</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Форма АЧХ</translation>
    </message>
    <message>
        <source>&amp;GBW</source>
        <translation>G&amp;BW</translation>
    </message>
    <message>
        <source>A&amp;0</source>
        <translation>A&amp;0</translation>
    </message>
    <message>
        <source>R&amp;O</source>
        <translation>R&amp;O</translation>
    </message>
    <message>
        <source>&amp;Noise EN</source>
        <translation>Шум &amp;EN</translation>
    </message>
    <message>
        <source>Noise &amp;IN</source>
        <translation>Шум &amp;IN</translation>
    </message>
    <message>
        <source>Noise band fro&amp;m</source>
        <translation>Полоса шума &amp;от</translation>
    </message>
    <message>
        <source>f/100</source>
        <translation>f/100</translation>
    </message>
    <message>
        <source>Noise ban&amp;d to</source>
        <translation>Полос&amp;а шума до</translation>
    </message>
    <message>
        <source>100 f</source>
        <translation>100 f</translation>
    </message>
    <message>
        <source>R toler&amp;ance, %</source>
        <translation>&amp;Допуск R, %</translation>
    </message>
    <message>
        <source>C tolerance, %</source>
        <translation>Допуск &amp;C, %</translation>
    </message>
    <message>
        <source>Distribution</source>
        <translation>Распр&amp;еделение</translation>
    </message>
    <message>
        <source>Uniform</source>
        <translation>Равномерное</translation>
    </message>
    <message>
        <source>Normal (3 sigma)</source>
        <translation>Нормальное (3 сигмы)</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Объём &amp;выборки</translation>
    </message>
    <message>
        <source>Seed</source>
        <translation>&amp;Начальное число</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Standard values</source>
        <translation>Стандартные номиналы</translation>
    </message>
    <message>
        <source>Op-amp (empty: ideal)</source>
        <translation>Операционный усилитель (пусто: идеальный)</translation>
    </message>
    <message>
        <source>Tolerances (empty: none)</source>
        <translation>Допуски (пусто: нет)</translation>
    </message>
    <message>
        <source>Attenuation at, H&amp;z</source>
        <translation>Уровен&amp;ь на, Hz</translation>
    </message>
</context>
<context>
    <name>ProblemWords</name>
    <message>
        <source>expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz</source>
        <translation>нужна частота от 1e-30 до 1e30 Гц, например 100, 2,5k или 1 kHz</translation>
    </message>
    <message>
        <source>expected a resistance from 1e-30 to 1e30 Ω, such as 33k, 4k7 or 33 kΩ</source>
        <translation>нужно сопротивление от 1e-30 до 1e30 Ом, например 33k, 4k7 или 33 kΩ</translation>
    </message>
    <message>
        <source>expected a capacitance from 1e-30 to 1e30 F, such as 10n, 4n7 or 10 nF</source>
        <translation>нужна ёмкость от 1e-30 до 1e30 Ф, например 10n, 4n7 или 10 nF</translation>
    </message>
    <message>
        <source>expected a value that keeps the computed parts from 1e-30 to 1e30 with this frequency</source>
        <translation>нужно значение, при котором рассчитанные элементы при этой частоте остаются от 1e-30 до 1e30</translation>
    </message>
    <message>
        <source>expected a whole number of steps from 0 to %1</source>
        <translation>нужно целое число шагов от 0 до %1</translation>
    </message>
    <message>
        <source>expected a gain-bandwidth from 1e-30 to 1e30 Hz, such as 1 MHz or 1.5Meg</source>
        <translation>нужна частота единичного усиления от 1e-30 до 1e30 Гц, например 1 MHz или 1,5Meg</translation>
    </message>
    <message>
        <source>expected a gain-bandwidth as well: A0 and RO describe an op-amp with one</source>
        <translation>нужна и частота единичного усиления: A0 и RO описывают ОУ вместе с ней</translation>
    </message>
    <message>
        <source>expected a gain-bandwidth above the filter&apos;s f3 of %1 Hz</source>
        <translation>нужна частота единичного усиления выше f3 фильтра, %1 Гц</translation>
    </message>
    <message>
        <source>expected an open-loop gain from 1 to 1e30, such as 200k</source>
        <translation>нужен коэффициент усиления без обратной связи от 1 до 1e30, например 200k</translation>
    </message>
    <message>
        <source>expected a resistance from 0 to 1e30 Ω, such as 100 or 75</source>
        <translation>нужно сопротивление от 0 до 1e30 Ом, например 100 или 75</translation>
    </message>
    <message>
        <source>expected a noise density from 0 to 1 V/√Hz, such as 10n</source>
        <translation>нужна плотность шума от 0 до 1 В/√Гц, например 10n</translation>
    </message>
    <message>
        <source>expected a noise density from 0 to 1 A/√Hz, such as 1p</source>
        <translation>нужна плотность шума от 0 до 1 А/√Гц, например 1p</translation>
    </message>
    <message>
        <source>expected a frequency above 0 Hz, up to 1e30 Hz, such as 20</source>
        <translation>нужна частота выше 0 Гц, до 1e30 Гц, например 20</translation>
    </message>
    <message>
        <source>expected a frequency above the band&apos;s start of %1 Hz, up to 1e30 Hz</source>
        <translation>нужна частота выше начала полосы, %1 Гц, до 1e30 Гц</translation>
    </message>
    <message>
        <source>expected the band&apos;s end as well: a high-pass with an op-amp ends the band at its upper edge only when both ends are empty</source>
        <translation>нужен и конец полосы: у ФВЧ с ОУ полоса кончается на верхнем срезе, только когда оба края пусты</translation>
    </message>
    <message>
        <source>expected a percentage from 0 to %1, such as 1 or 0.5 %</source>
        <translation>нужен процент от 0 до %1, например 1 или 0,5 %</translation>
    </message>
    <message>
        <source>expected a whole number of samples from 1 to %1</source>
        <translation>нужно целое число выборок от 1 до %1</translation>
    </message>
    <message>
        <source>expected a whole number from 0 to 18446744073709551615</source>
        <translation>нужно целое число от 0 до 18446744073709551615</translation>
    </message>
    <message>
        <source>expected up to %1 frequencies from 1e-30 to 1e30 Hz separated by ;, such as 24k; 50</source>
        <translation>нужно до %1 частот от 1e-30 до 1e30 Гц через «;», например 24k; 50</translation>
    </message>
</context>
<context>
    <name>designer::BehaviourView</name>
    <message>
        <source>Unit step response, V</source>
        <translation>Переходная характеристика, V</translation>
    </message>
    <message>
        <source>Group delay</source>
        <translation>Групповая задержка</translation>
    </message>
    <message>
        <source>Step response</source>
        <translation>Переходная характеристика</translation>
    </message>
    <message>
        <source>No design</source>
        <translation>Нет расчёта</translation>
    </message>
    <message>
        <source>A high-pass has no group delay to show: it passes no band from DC.</source>
        <translation>У фильтра верхних частот нет групповой задержки для показа: он не пропускает полосу от нуля.</translation>
    </message>
    <message>
        <source>%1 after the step</source>
        <translation>%1 после скачка</translation>
    </message>
    <message>
        <source>%1: %2 with the op-amp, %3 with an ideal one</source>
        <translation>%1: %2 с ОУ, %3 с идеальным</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>ideal op-amp</source>
        <translation>идеальный ОУ</translation>
    </message>
    <message>
        <source>the op-amp given</source>
        <translation>заданный ОУ</translation>
    </message>
</context>
<context>
    <name>designer::BodeView</name>
    <message>
        <source>Magnitude, dB</source>
        <translation>Амплитуда, dB</translation>
    </message>
    <message>
        <source>Phase, degrees</source>
        <translation>Фаза, градусы</translation>
    </message>
    <message>
        <source>Deviation from target, dB</source>
        <translation>Отклонение от цели, dB</translation>
    </message>
    <message>
        <source>target</source>
        <translation>цель</translation>
    </message>
    <message>
        <source>designed</source>
        <translation>расчёт</translation>
    </message>
    <message>
        <source>Bode plot</source>
        <translation>Диаграмма Боде</translation>
    </message>
    <message>
        <source>No design</source>
        <translation>Нет расчёта</translation>
    </message>
    <message>
        <source>%1: gain %2 dB, phase %3°</source>
        <translation>%1: усиление %2 dB, фаза %3°</translation>
    </message>
</context>
<context>
    <name>designer::DesignerWindow</name>
    <message>
        <source>Butterworth Filter Designer</source>
        <translation>Проектирование фильтров Баттерворта</translation>
    </message>
    <message>
        <source>Parts</source>
        <translation>Элементы</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Элемент</translation>
    </message>
    <message>
        <source>Ideal</source>
        <translation>Идеальное</translation>
    </message>
    <message>
        <source>Chosen</source>
        <translation>Выбранное</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Погрешность</translation>
    </message>
    <message>
        <source>&amp;Parts</source>
        <translation>Элемент&amp;ы</translation>
    </message>
    <message>
        <source>Figures</source>
        <translation>Показатели</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>Показатель</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Fig&amp;ures</source>
        <translation>Пока&amp;затели</translation>
    </message>
    <message>
        <source>&amp;Bode plot</source>
        <translation>Диаграмма &amp;Боде</translation>
    </message>
    <message>
        <source>Schematic</source>
        <translation>Схема</translation>
    </message>
    <message>
        <source>Sc&amp;hematic</source>
        <translation>Схе&amp;ма</translation>
    </message>
    <message>
        <source>To&amp;lerance spread</source>
        <translation>&amp;Разброс допусков</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Действия</translation>
    </message>
    <message>
        <source>Save &amp;netlist…</source>
        <translation>Сохранить &amp;список соединений…</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>Save p&amp;lot…</source>
        <translation>Сохранить &amp;график…</translation>
    </message>
    <message>
        <source>Ctrl+Shift+P</source>
        <translation>Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>&amp;Save report…</source>
        <translation>Сохранить &amp;отчёт…</translation>
    </message>
    <message>
        <source>&amp;Open report</source>
        <translation>От&amp;крыть отчёт</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>Copy &amp;parts</source>
        <translation>Копировать &amp;элементы</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C</source>
        <translation>Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>Copy &amp;command line</source>
        <translation>Копировать &amp;командную строку</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>Chosen %1</source>
        <translation>Выбранное %1</translation>
    </message>
    <message>
        <source>Impractical: hard to build with this value</source>
        <translation>Непрактично: такой номинал трудно реализовать</translation>
    </message>
    <message>
        <source> (impractical)</source>
        <translation> (непрактично)</translation>
    </message>
    <message>
        <source>GBW for 0.1 dB more shape error</source>
        <translation>GBW для ошибки формы на 0.1 dB больше</translation>
    </message>
    <message>
        <source>chosen: %1</source>
        <translation>выбрано: %1</translation>
    </message>
    <message>
        <source>Not recomputed, %1: %2. The results are the last design that read.</source>
        <translation>Не пересчитано, %1: %2. Показан последний расчёт с допустимыми данными.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>%1 — %2, %3</source>
        <comment>the program, the circuit, the response</comment>
        <translation>%1 — %2, %3</translation>
    </message>
    <message>
        <source>upper edge</source>
        <translation>верхний срез</translation>
    </message>
    <message>
        <source>Step and delay</source>
        <translation>Отклик</translation>
    </message>
</context>
<context>
    <name>designer::Exports</name>
    <message>
        <source>Could not write %1: %2. Nothing was changed.</source>
        <translation>Не удалось записать %1: %2. Ничего не изменено.</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>Сохранено: %1.</translation>
    </message>
    <message>
        <source>ngspice netlist (*.cir)</source>
        <translation>Список соединений ngspice (*.cir)</translation>
    </message>
    <message>
        <source>LTspice netlist (*.net *.cir)</source>
        <translation>Список соединений LTspice (*.net *.cir)</translation>
    </message>
    <message>
        <source>Save netlist</source>
        <translation>Сохранить список соединений</translation>
    </message>
    <message>
        <source>Save plot</source>
        <translation>Сохранить график</translation>
    </message>
    <message>
        <source>SVG image (*.svg)</source>
        <translation>Изображение SVG (*.svg)</translation>
    </message>
    <message>
        <source>Save report</source>
        <translation>Сохранить отчёт</translation>
    </message>
    <message>
        <source>HTML page (*.html)</source>
        <translation>Страница HTML (*.html)</translation>
    </message>
    <message>
        <source>Did not open the report: the folder %1 is not safe for it (%2).</source>
        <translation>Отчёт не открыт: папка %1 для него небезопасна (%2).</translation>
    </message>
    <message>
        <source>Could not write the report in %1: %2.</source>
        <translation>Не удалось записать отчёт в %1: %2.</translation>
    </message>
    <message>
        <source>Could not start %1 to open %2: %3.</source>
        <translation>Не удалось запустить %1, чтобы открыть %2: %3.</translation>
    </message>
    <message>
        <source>Opening %1.</source>
        <translation>Открывается %1.</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>код завершения %1</translation>
    </message>
    <message>
        <source>ended abnormally</source>
        <translation>завершилась аварийно</translation>
    </message>
    <message>
        <source>%1 could not open %2 (%3).</source>
        <translation>%1 не смогла открыть %2 (%3).</translation>
    </message>
    <message>
        <source>Copied the command line, but it will not run: %1.</source>
        <translation>Командная строка скопирована, но она не выполнится: %1.</translation>
    </message>
</context>
<context>
    <name>designer::HistogramView</name>
    <message>
        <source>Tolerance histogram</source>
        <translation>Гистограмма допусков</translation>
    </message>
    <message>
        <source>No tolerance analysis</source>
        <translation>Нет анализа допусков</translation>
    </message>
    <message numerus="yes">
        <source>σ %1, 99 %: %2 … %3, %n samples</source>
        <translation>
            <numerusform>σ %1, 99 %: %2 … %3, %n выборка</numerusform>
            <numerusform>σ %1, 99 %: %2 … %3, %n выборки</numerusform>
            <numerusform>σ %1, 99 %: %2 … %3, %n выборок</numerusform>
        </translation>
    </message>
    <message>
        <source>f3 error: %1</source>
        <translation>Ошибка f3: %1</translation>
    </message>
    <message>
        <source>Computing %1 %</source>
        <translation>Вычисление: %1 %</translation>
    </message>
    <message>
        <source>f3 error</source>
        <translation>Погрешность f3</translation>
    </message>
    <message>
        <source>samples</source>
        <translation>выборки</translation>
    </message>
    <message>
        <source>±1σ</source>
        <translation>±1σ</translation>
    </message>
    <message>
        <source>middle 99 %</source>
        <translation>средние 99 %</translation>
    </message>
</context>
<context>
    <name>designer::Plots</name>
    <message>
        <source>stale</source>
        <translation>устарело</translation>
    </message>
</context>
</TS>
