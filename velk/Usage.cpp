#include "Usage.h"

std::string ShortHelp()
{
    return "\n"
           "velk.exe [実行ファイルの名前またはフルパス及びコマンドライン | help]\n"
           "help        : ヘルプを表示します。\n";
}

std::string LongUsage()
{
    return "velk.exe [実行ファイルの名前またはフルパス及びコマンドライン | deleteindex | help]\n"
           "deleteindex : インデックスを削除します。\n"
           "help        : ヘルプを表示します。\n";
}
