@echo off
rem Runs the unit and end-to-end test programs on Windows itself, with no
rem Wine, bash or Python:
rem     tests\windows\run.cmd BINDIR [RESULTS]
rem BINDIR holds the built programs: velk.exe, tamrel.exe, unit_tests.exe,
rem velk_e2e.exe, recorder.exe (recorder64.exe on 64-bit Windows),
rem velk-test-beside.dll and testresults.exe, which judges each run. They are
rem copied into a temporary folder of this run's own, where each test program
rem finds the programs under test and the recorder beside itself.
rem GoogleTest's XML results go to RESULTS (a folder beside the temporary one
rem when not given). Ends with 0 only when every program was there, and each
rem test program ended with 0 and wrote XML with at least one test, none of
rem them skipped unless listed below with its reason; each failure names its
rem program. Wine's cmd.exe runs it too, from a fresh prefix.
rem
rem Wine's cmd.exe loses the code of an exit inside a block after a built-in
rem command that succeeded, and takes || after one for a failure: every exit
rem here stands alone at the top level, and each step is checked by what it
rem made.
setlocal EnableExtensions
if "%~1"=="" goto usage
set "BIN=%~f1"
set "WORK=%TEMP%\velk-tests-%RANDOM%%RANDOM%"
set "RESULTS=%~f2"
if "%~2"=="" set "RESULTS=%WORK%-results"
mkdir "%WORK%"
if not exist "%RESULTS%\" mkdir "%RESULTS%"
if not exist "%RESULTS%\" goto no_results
set MISSING=
for %%F in (velk.exe tamrel.exe unit_tests.exe velk_e2e.exe recorder.exe velk-test-beside.dll testresults.exe) do (
    if exist "%BIN%\%%F" copy /y "%BIN%\%%F" "%WORK%\" >nul
    if not exist "%WORK%\%%F" echo FAILED %%F: missing from %BIN%
    if not exist "%WORK%\%%F" set MISSING=1
)
if defined MISSING goto missing
if exist "%BIN%\recorder64.exe" copy /y "%BIN%\recorder64.exe" "%WORK%\" >nul

rem Left out here, one reason each:
rem   AnsiText.CodePageIs932: asserts the test prefix's code page; a runner has its own
set "UNIT_LEFT_OUT=AnsiText.CodePageIs932"
rem   Velk.SuStartsTheCommandPromptWithoutParameters: only a test prefix has the recorder as System32's cmd.exe
rem   Velk.BatchFileRunsAsWindowsWouldRunIt: replays under Wine what Windows runs; here the batch test runs Windows' own
rem   Velk.SharesAndTheirLiteralForms: serves \\velkserver\deploy from a Wine prefix's dosdevices
rem   Wow64.*: needs a prefix whose System32 programs are the recorder, and Wine's start without consent
set "E2E_LEFT_OUT=Velk.SuStartsTheCommandPromptWithoutParameters:Velk.BatchFileRunsAsWindowsWouldRunIt:Velk.SharesAndTheirLiteralForms:Wow64.*"

rem Tests that may be skipped, as Suite.Name separated by blanks, each with its
rem reason on a line of its own here. None may: a skip fails the run.
set ALLOWED_SKIPS=

set FAILED=
call :run unit_tests unit_tests "--gtest_filter=-%UNIT_LEFT_OUT%"
rem The canary first: every other end-to-end test reads what the started
rem program wrote to a file that the test's environment names.
call :run velk_e2e velk_e2e-canary "--gtest_filter=Canary.*"
if defined LAST_FAILED goto no_e2e
call :run velk_e2e velk_e2e "--gtest_filter=-Canary.*:%E2E_LEFT_OUT%"
goto report
:no_e2e
echo FAILED velk_e2e.exe: its canary failed (does a test's environment reach the program that velk starts elevated?), so its other tests were not run
:report
rmdir /s /q "%WORK%" 2>nul
if defined FAILED goto failed
echo All tests passed.
exit /b 0

rem call :run PROGRAM RESULT FILTER: runs PROGRAM.exe, its XML to RESULT.xml,
rem and has testresults.exe judge the run. Sets LAST_FAILED, and adds RESULT
rem to FAILED, when it failed.
:run
set LAST_FAILED=
del "%RESULTS%\%~2.xml" 2>nul
"%WORK%\%~1.exe" "%~3" "--gtest_output=xml:%RESULTS%\%~2.xml"
"%WORK%\testresults.exe" %~1.exe %ERRORLEVEL% "%RESULTS%\%~2.xml" %ALLOWED_SKIPS%
if not "%ERRORLEVEL%"=="0" set LAST_FAILED=1
if defined LAST_FAILED set "FAILED=%FAILED% %~2"
goto :eof

:usage
echo usage: run.cmd BINDIR [RESULTS]
exit /b 2
:no_results
echo FAILED: cannot make %RESULTS%
exit /b 1
:missing
rmdir /s /q "%WORK%" 2>nul
echo FAILED: programs missing from %BIN%
exit /b 1
:failed
echo FAILED:%FAILED%
exit /b 1
