#include "Usage.h"

void PrintShortHelp(std::ostream& out)
{
    out << std::endl;
    out << "velk.exe [実行ファイルの名前またはフルパス及びコマンドライン" << " | help]" << std::endl;
    out << "help        : ヘルプを表示します。" << std::endl;
}

void PrintLongUsage(std::ostream& out)
{
    out << "velk.exe [実行ファイルの名前またはフルパス及びコマンドライン | deleteindex | help]" << std::endl;
    out << "deleteindex : インデックスを削除します。" << std::endl;
    out << "help        : ヘルプを表示します。" << std::endl;
}
