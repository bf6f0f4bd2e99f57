REM 円弧の長さ
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 円弧の長さ (サンプル)
