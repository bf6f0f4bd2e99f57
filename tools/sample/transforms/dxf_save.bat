REM 図面をＤＸＦで保存
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 図面をＤＸＦで保存 (サンプル)
