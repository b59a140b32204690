#include "Usage.h"

const char kHelpLine[] = "help        : ヘルプを表示します。\n";

std::string ShortHelp()
{
    return std::string("\nvelk.exe [wait] [実行ファイルの名前またはフルパス及びコマンドライン | help]\n") + kHelpLine +
           "wait        : プログラムの終了を待ち、その終了コードを返します。\n";
}

std::string LongUsage()
{
    return std::string("velk.exe [実行ファイルの名前またはフルパス及びコマンドライン | deleteindex | help]\n"
                       "deleteindex : インデックスを削除します。\n") + kHelpLine;
}
