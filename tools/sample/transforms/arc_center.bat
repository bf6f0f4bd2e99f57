REM 円弧の中心に点
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 円弧の中心に点 (サンプル)
