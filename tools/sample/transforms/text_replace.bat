REM 文字の一括置換
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 文字の一括置換 (サンプル)
