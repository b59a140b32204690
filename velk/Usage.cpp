#include "Usage.h"

std::string ShortHelp()
{
    return "\n"
           "velk.exe [wait] [実行ファイルの名前またはフルパス及びコマンドライン | help]\n"
           "help        : ヘルプを表示します。\n"
           "wait        : プログラムの終了を待ち、その終了コードを返します。\n";
}

std::string LongUsage()
{
    return "velk.exe [実行ファイルの名前またはフルパス及びコマンドライン | deleteindex | help]\n"
           "deleteindex : インデックスを削除します。\n"
           "help        : ヘルプを表示します。\n";
}
