#pragma once

namespace quelmora {

// The program's own texts. Every text is the Russian source, which is also
// the key of its translation. The field captions and help texts live in the
// field tables (SettingsFields.h, ProductFields.h).

// The program's name, the same in every language: window titles end with it
// and message boxes carry it.
inline constexpr const char* ProgramName = "quelmora";

// Message catalogue. Multi-line texts join their lines with CR LF.
inline constexpr const char* SFileSaved = "Файл сохранен";
// The product's name is put in after translation.
inline constexpr const char* SConfirmDeleteProduct = "Удалить изделие «%s»?";
inline constexpr const char* SCancellingBeforeClose = "Отмена расчета перед закрытием…";
inline constexpr const char* SUnifiedBoxItem = "Ящик %d: %.1f × %.1f × %.1f мм — %d изд.";
inline constexpr const char* SPackPreviewTitle = "3D-макет выбранной пачки";
inline constexpr const char* SLayoutPreviewTitle = "Раскладка пачек в ящике";
inline constexpr const char* SLumarComparison =
    "\r\n"
    "\r\n"
    "СРАВНЕНИЕ С ЛУМАР (tea.DB)\r\n"
    "ЛУМАР, пачка: %.1f × %.1f × %.1f мм\r\n"
    "ЛУМАР, внутренний ящик: %.1f × %.1f × %.1f мм; %d пачек\r\n"
    "ЛУМАР, упаковка / м³: %.2f %s; экономия: %.1f %%\r\n"
    "quelmora, упаковка / м³: %.2f %s; отличие от ЛУМАР: %.1f %%";
inline constexpr const char* SOptimalDetails =
    "Пачка: %.1f × %.1f × %.1f мм\r\n"
    "Укладка: %d × %d × %d, %s\r\n"
    "Пачек в ящике: %d\r\n"
    "Масса продукта в пачке: %.1f г\r\n"
    "Развертка пачки: %.4f м²\r\n"
    "Объем пачки: %.4f дм³\r\n"
    "Стоимость пачки: %.2f %s\r\n"
    "Изменение объема: %.1f %%\r\n"
    "Ящик: %.1f × %.1f × %.1f мм\r\n"
    "Масса брутто: %.3f кг\r\n"
    "Развертка ящика: %.4f м²\r\n"
    "Объем ящика: %.6f м³\r\n"
    "Стоимость ящика: %.2f %s\r\n"
    "На паллете: %d ящиков (%d в слое × %d слоев)\r\n"
    "Заполнение объема паллеты: %.1f %%\r\n"
    "Упаковка / единицу: %.2f %s\r\n"
    "Упаковка / м³: %.2f %s\r\n"
    "Среднее по ассортименту / м³: %.2f %s\r\n"
    "Группа унификации: %d; изделий: %d";
inline constexpr const char* SOriginalDetails =
    "Пачка: %.1f × %.1f × %.1f мм\r\n"
    "Пачек в ящике: %d\r\n"
    "Ящик: %.1f × %.1f × %.1f мм\r\n"
    "На паллете: %d ящиков\r\n"
    "Масса брутто: %.3f кг\r\n"
    "Развертка ящика: %.4f м²\r\n"
    "Объем ящика: %.6f м³\r\n"
    "Стоимость ящика: %.2f %s\r\n"
    "Упаковка / единицу: %.2f %s\r\n"
    "Упаковка / м³: %.2f %s\r\n"
    "Среднее по ассортименту / м³: %.2f %s\r\n"
    "\r\n"
    "%s: %.1f %%";
inline constexpr const char* SSaving = "Экономия";
inline constexpr const char* SCostIncrease = "Удорожание";
inline constexpr const char* SCriterionCombined = "Комбинированный";
inline constexpr const char* SCurrency = "Валюта";
inline constexpr const char* SAllowOversizeBoxes = "Разрешить ящики вне габаритов паллеты";
inline constexpr const char* SEnabledColumn = "Вкл.";
inline constexpr const char* SNewProduct = "Новое изделие";
inline constexpr const char* SProductParameters = "Параметры изделия";
inline constexpr const char* SStageCalculation = "Расчет";
inline constexpr const char* SStageUnification = "Унификация";
inline constexpr const char* SCalculationFinished = "Расчет завершен";
// The status after a run: the finished stage, the products and the boxes.
inline constexpr const char* SCalculationSummary = "%s: %d изделий, %d ящика";
inline constexpr const char* SCalculationCancelled = "Расчет отменен";
inline constexpr const char* SNoFeasibleSolutions =
    "Допустимых решений нет. Проверьте ограничения.";
inline constexpr const char* SPlanTooLarge =
    "Недостаточно памяти для унификации ящиков: %d изделий требуют %.1f ГБ, доступно %.1f ГБ. "
    "Рассчитывайте меньше изделий за один раз.";
inline constexpr const char* SNoMemoryToReadProject =
    "Недостаточно памяти, чтобы прочитать файл проекта \"%s\" (%.1f МБ)";
inline constexpr const char* SNoMemoryToSaveProject =
    "Недостаточно памяти, чтобы сохранить файл проекта \"%s\" (%d изделий)";
inline constexpr const char* SNoMemoryToImportCsv =
    "Недостаточно памяти, чтобы импортировать файл CSV \"%s\" (%.1f МБ)";
inline constexpr const char* SNoMemoryToCalculate = "Недостаточно памяти для расчета %d изделий";
inline constexpr const char* SNoMemory = "Недостаточно памяти";
inline constexpr const char* SDataChanged = "Данные изменены — выполните расчет";
inline constexpr const char* SInvalidFile = "Некорректный файл: %s";
// The byte counts from 0 at the start of the file.
inline constexpr const char* SInvalidFileAtByte = "Некорректный файл: %s (ошибка в байте %lld)";
inline constexpr const char* SUnsupportedProjectVersion = "Неподдерживаемая версия проекта";
inline constexpr const char* SInvalidCsvHeader =
    "Неверный заголовок CSV. Используйте examples/products.csv. Установленный пример: %s";
inline constexpr const char* SCsvRowError = "CSV, строка %d: %s";
inline constexpr const char* SUnifiedBoxes = "Унифицированные ящики";
inline constexpr const char* SProductsInSelectedBox = "Изделия в выбранном ящике";
inline constexpr const char* SListSortedByName = "Список отсортирован по названию";
inline constexpr const char* SOptimalVariant = "ОПТИМАЛЬНЫЙ ВАРИАНТ";
inline constexpr const char* SOriginalVariant = "ИСХОДНЫЙ ВАРИАНТ";
inline constexpr const char* SFixHighlightedCells =
    "Исправьте выделенные ячейки. Размеры и объемы должны быть положительными; проверьте "
    "диапазоны и целые количества.";
inline constexpr const char* SInvalidParameter = "Некорректный параметр: %s";
inline constexpr const char* SAddEnabledProduct = "Добавьте хотя бы одно включенное изделие.";
// A product whose values make the calculation overflow: its name and the field likely at fault.
inline constexpr const char* SCalculationOutOfRange =
    "%s: расчет выходит за пределы чисел; проверьте поле «%s»";
inline constexpr const char* SInvalidProductId =
    "%s: неверный Id %d; Id изделия — целое число больше нуля";
inline constexpr const char* SVolumeMismatchQuestion =
    "%s: задан диапазон %.6f–%.6f м³, объем образца %.6f м³. Да — использовать образец, Нет — "
    "заданный диапазон, Отмена — не запускать расчет.";
inline constexpr const char* SVolumeMismatchLabel = "При несовпадении объема";
inline constexpr const char* SUseSpecifiedRange = "Заданный диапазон";
inline constexpr const char* SUseSampleVolume = "Объем образца";
inline constexpr const char* SAskUser = "Спрашивать";
inline constexpr const char* SPalletMethodLabel = "Способ укладки на паллету";
inline constexpr const char* SPalletMethodGrid = "Колонны, одна сетка";
inline constexpr const char* SPalletMethodBestLayer = "Лучший слой";
inline constexpr const char* SPalletPresetLabel = "Размер паллеты";
inline constexpr const char* SPalletPresetOther = "Другой размер";
inline constexpr const char* SLimitLayersToStrength =
    "Ограничить число слоев прочностью нижнего ящика";
inline constexpr const char* SCriterionCostPerVolume = "Стоимость / м³";
inline constexpr const char* SCriterionBoxCount = "Больше пачек в ящике";
inline constexpr const char* SCriterionPalletFill = "Заполнение паллеты";
inline constexpr const char* SAppTitle = "quelmora — оптимизация упаковки сыпучих продуктов";
inline constexpr const char* SImportProducts = "Импорт изделий";
inline constexpr const char* SAdd = "Добавить";
inline constexpr const char* SEdit = "Изменить";
inline constexpr const char* SDelete = "Удалить";
inline constexpr const char* SCalculate = "Расчет";
inline constexpr const char* SSave = "Сохранить";
inline constexpr const char* SOpen = "Открыть";
inline constexpr const char* SExport = "Экспорт";
inline constexpr const char* SClose = "Закрыть";
inline constexpr const char* SCancel = "Отмена";
inline constexpr const char* SAllParameters = "Все параметры";
inline constexpr const char* SApply = "Применить";
inline constexpr const char* SReport = "Отчёт";
inline constexpr const char* SPdfReportSaved = "PDF-отчёт сохранён";
inline constexpr const char* SReadyToCalculate = "Готово к расчету";
inline constexpr const char* SBoxSizeInvalid =
    "Размер ящика «%s»: укажите длину, ширину и высоту в мм через x, например 400x300x250";
inline constexpr const char* SPositiveNumberExpected =
    "%s: нужно положительное число, получено «%s»";
inline constexpr const char* SNumberInRangeExpected =
    "%s: нужно число от %.0f до %.0f, получено «%s»";
inline constexpr const char* SBoxStrengthNeedsBoard =
    "Для --box-strength нужны --ect и --thickness";
inline constexpr const char* SBoardLeavesNoInside =
    "Картон толщиной %.1f мм не оставляет места внутри ящика";

inline constexpr const char* SProductsAdded = "Добавлено изделий: %d";
// The calculation's n-th started product of N enabled ones.
inline constexpr const char* SProductOfCount = "изделие %d из %d";
inline constexpr const char* SSameForAllRemaining = "То же для всех оставшихся изделий";
inline constexpr const char* SEnabledHelp = "Включенное изделие участвует в расчете";
inline constexpr const char* SVolumeMismatchHelp =
    "Что делать, если объем образца не попадает в заданный диапазон объема";
inline constexpr const char* SCurrencyHelp = "Обозначение валюты в результатах и отчете";
inline constexpr const char* SAllowOversizeHelp =
    "Разрешить ящики, выступающие за длину или ширину паллеты";
inline constexpr const char* SLimitLayersHelp =
    "Не ставить больше слоев, чем выдерживает нижний ящик по расчету прочности";
inline constexpr const char* SPalletPresetHelp =
    "Стандартный размер паллеты; выбор заполняет длину и ширину паллеты";
inline constexpr const char* SPalletMethodHelp = "Как ящики раскладываются в слое на паллете";
inline constexpr const char* SCriterionHelp = "По какому признаку выбирается лучший ящик";
inline constexpr const char* SSortHelp = "Результаты показываются по названию изделий";

// The results table and the figures before and after beside the details.
inline constexpr const char* SResultListsTab = "Ящики и изделия";
inline constexpr const char* SResultTableTab = "Таблица результатов";
inline constexpr const char* SPacksPerBoxColumn = "Пачек в ящике";
inline constexpr const char* SBoxesPerPalletColumn = "Ящиков на паллете";
inline constexpr const char* SCostPerUnitBeforeColumn = "Упаковка / ед., было";
inline constexpr const char* SCostPerUnitAfterColumn = "Упаковка / ед., стало";
inline constexpr const char* SCostPerM3BeforeColumn = "Упаковка / м³, было";
inline constexpr const char* SCostPerM3AfterColumn = "Упаковка / м³, стало";
inline constexpr const char* SSavingColumn = "Экономия, %";
inline constexpr const char* SBeforeAfterHeading = "Было → стало";
inline constexpr const char* SCostPerUnitChange = "Упаковка / единицу: %.2f → %.2f %s";
inline constexpr const char* SPacksPerPalletChange = "Пачек на паллете: %d → %d";
inline constexpr const char* SCostPerM3Change = "Упаковка / м³: %.2f → %.2f %s";
inline constexpr const char* SLimitedBy = "ограничено: %s";
inline constexpr const char* SLimitPacksPerBox = "%d пачек в ящике";
inline constexpr const char* SLimitPacksPerAxis = "%d пачек по оси";
inline constexpr const char* SLimitBoxWeight = "масса ящика %.1f кг";
inline constexpr const char* SLimitBoxHeight = "высота ящика %.0f мм";
inline constexpr const char* SMenuFile = "Файл";
inline constexpr const char* SMenuEdit = "Правка";
inline constexpr const char* SMenuRun = "Запуск";
inline constexpr const char* SMenuHelp = "Справка";
inline constexpr const char* SNewProject = "Создать";
inline constexpr const char* SOpenRecent = "Последние файлы";
inline constexpr const char* SSaveAs = "Сохранить как";
inline constexpr const char* SQuit = "Выход";
inline constexpr const char* SUndo = "Отменить";
inline constexpr const char* SRedo = "Повторить";
inline constexpr const char* SAbout = "О программе";
inline constexpr const char* SVersionLine = "Версия %s";
inline constexpr const char* SLicenceLine = "Лицензия и авторские права: %s";
inline constexpr const char* SSampleProject = "Пример";
inline constexpr const char* SSaveChangesTo = "Сохранить изменения в «%s»?";
inline constexpr const char* SRecentFileMissing =
    "Файл «%s» не найден и убран из списка последних файлов";
}  // namespace quelmora
